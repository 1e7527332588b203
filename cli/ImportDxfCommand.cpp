#include "cli/ImportDxfCommand.h"

#include "base/Prompter.h"
#include "dxf/DxfImportWizard.h"
#include "format/CPFile.h"
#include "format/DocumentJson.h"
#include "model/Contours.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// Answers the wizard's questions as the command's options say, and keeps its error messages.
class OptionPrompter : public Prompter
{
public:
    bool renumber = false;
    QStringList errors;

    void message(const QString& text, const QString&, Icon) override { errors << text; }
    Answer ask(const QString& text, const QString&, Buttons, Icon) override
    {
        if (text.startsWith(QLatin1String("Vreti sa renumerotati")))
            return renumber ? Answer::Yes : Answer::No;
        return Answer::Yes;
    }
    QString openFileName(const QString&, const QString&, const QString&) override { return QString(); }
    QString saveFileName(const QString&, const QString&, const QString&) override { return QString(); }
    std::optional<QString> inputText(const QString&, const QString&, const QString&) override { return std::nullopt; }
};

int rowOf(const std::vector<DxfImportWizard::Line>& lines, int position)
{
    for (std::size_t row = 0; row < lines.size(); ++row) {
        if (lines[row].position == position)
            return int(row);
    }
    return -1;
}

// The imported contours replace every contour of the document; a drawing may bring buildings
// the document does not have yet, and they are added.
void applyContours(const DXFEntities& entities, Land& land)
{
    Polygons contours;
    for (const DXFEntityPtr& entity : entities)
        contours.Add(PolygonPtr(entity->Polygon()));
    Contours::attach(land, contours, Qt::CaseInsensitive, Contours::Unmatched::AddBuilding);
}

} // namespace

int ImportDxfCommand::run(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QString drawing, input, output;
    int land = 0;
    QList<QPair<int, QString>> buildings;
    OptionPrompter prompter;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (a == QLatin1String("--land") && hasValue) {
            bool ok = false;
            land = arguments[++i].toInt(&ok);
            if (!ok || land < 1)
                return usage(err);
        } else if (a == QLatin1String("--building") && hasValue) {
            const QString tie = arguments[++i];
            const qsizetype eq = tie.indexOf(QLatin1Char('='));
            bool ok = false;
            const int position = tie.left(eq).toInt(&ok);
            if (eq < 0 || !ok)
                return usage(err);
            buildings.append({position, tie.mid(eq + 1)});
        } else if (a == QLatin1String("--renumber")) {
            prompter.renumber = true;
        } else if (a == QLatin1String("--cp") && hasValue) {
            input = arguments[++i];
        } else if (a == QLatin1String("-o") && hasValue) {
            output = arguments[++i];
        } else if (drawing.isEmpty() && !a.startsWith(QLatin1Char('-'))) {
            drawing = a;
        } else {
            return usage(err);
        }
    }
    if (drawing.isEmpty() || land == 0)
        return usage(err);

    DxfImportWizard wizard(prompter, QStringLiteral("."));
    wizard.setAreaSize(7200, 5400);
    wizard.openFile(drawing);
    if (wizard.noteIsError()) {
        err << drawing << ": " << wizard.note().mid(wizard.note().indexOf(QLatin1Char('\n')) + 1) << Qt::endl;
        return Refused;
    }
    const int count = wizard.polylines().count();
    auto refuse = [&](const QString& text) {
        err << drawing << ": " << text << Qt::endl;
        return int(Refused);
    };
    if (land > count)
        return refuse(QStringLiteral("no polyline %1 (the drawing has %2)").arg(land).arg(count));
    wizard.next();
    wizard.chooseLayer(int(wizard.layerNames().indexOf(wizard.polylines().layerName(land))));
    wizard.clickLine(rowOf(wizard.lines(), land));
    wizard.next();
    for (const auto& [position, number] : buildings) {
        if (position < 1 || position > count)
            return refuse(QStringLiteral("no polyline %1 (the drawing has %2)").arg(position).arg(count));
        wizard.clickLine(rowOf(wizard.lines(), position));
        wizard.setNumberText(number);
        wizard.associate();
        if (!prompter.errors.isEmpty())
            return refuse(QStringLiteral("building %1=%2: %3").arg(position).arg(number, prompter.errors.last()));
    }
    wizard.next();
    if (!wizard.exit() || !wizard.result())
        return refuse(prompter.errors.isEmpty() ? QStringLiteral("nothing imported") : prompter.errors.last());

    CPFile file(QStringLiteral("."));
    if (!input.isEmpty()) {
        file.setCPFileName(input);
        Error error;
        if (!file.LoadCPFile(&error)) {
            err << input << ": " << error.text() << Qt::endl;
            return Refused;
        }
    }
    applyContours(*wizard.result(), *file.Document()->Land());
    if (output.isEmpty()) {
        out << QString::fromUtf8(QJsonDocument(DocumentJson::toJson(file)).toJson(QJsonDocument::Indented));
        out.flush();
        return Done;
    }
    return saveDocument(file, output, out, err);
}
