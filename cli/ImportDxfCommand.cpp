#include "cli/ImportDxfCommand.h"

#include "cli/CliPrompter.h"
#include "cli/SharedOptions.h"
#include "dxf/DxfImportWizard.h"
#include "format/CPFile.h"
#include "format/DocumentJson.h"
#include "model/Contours.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <limits>

namespace {

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

ImportDxfCommand::ImportDxfCommand()
    : m_land(QStringLiteral("land"), QStringLiteral("The polyline taken as the land contour (its position, from 1)."),
             QStringLiteral("N")),
      m_building(QStringLiteral("building"),
                 QStringLiteral("The polyline at POS is the contour of building NUMBER; once per building."),
                 QStringLiteral("POS=NUMBER")),
      m_renumber(QStringLiteral("renumber"), QStringLiteral("Renumber the buildings from 1 to n.")),
      m_cp(QStringLiteral("cp"), QStringLiteral("The document whose contours are replaced (default: a new one)."),
           QStringLiteral("IN.CP")),
      m_output(SharedOptions::output(QStringLiteral("OUT.CP")))
{
    commandLine().setPositional(QStringLiteral("FILE.DXF"), QStringLiteral("The drawing."));
    commandLine().addOption(m_land, CommandLine::Presence::Required);
    commandLine().addOption(m_building, CommandLine::Presence::Repeatable);
    commandLine().addOption(m_renumber);
    commandLine().addOption(m_cp);
    commandLine().addOption(m_output);
}

int ImportDxfCommand::execute(const CommandLine& line, QTextStream& out, QTextStream& err)
{
    const QString drawing = line.positional().first();
    const QString input = line.value(m_cp);
    const QString output = line.value(m_output);
    const std::optional<int> landPosition = line.wholeNumber(m_land, 1, std::numeric_limits<int>::max());
    if (!landPosition)
        return usage(err);
    const int land = *landPosition;
    QList<QPair<int, QString>> buildings;
    for (const QString& tie : line.values(m_building)) {
        const qsizetype eq = tie.indexOf(QLatin1Char('='));
        bool ok = false;
        const int position = tie.left(eq).toInt(&ok);
        if (eq < 0 || !ok)
            return usage(err);
        buildings.append({position, tie.mid(eq + 1)});
    }
    // The wizard's other questions are answered Yes, as the user who goes through it would.
    CliPrompter prompter;
    prompter.setAnswer(Prompter::Question::RenumberBuildings,
                       line.isSet(m_renumber) ? Prompter::Answer::Yes : Prompter::Answer::No);

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
        if (!prompter.errors().isEmpty())
            return refuse(QStringLiteral("building %1=%2: %3").arg(position).arg(number, prompter.errors().last()));
    }
    wizard.next();
    if (!wizard.exit() || !wizard.result())
        return refuse(prompter.errors().isEmpty() ? QStringLiteral("nothing imported") : prompter.errors().last());

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
