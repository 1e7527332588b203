#include "cli/DxfCommand.h"

#include "dxf/DxfPolylineReader.h"
#include "dxf/ImportDXF.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLocale>

namespace {

QString jsonString(const QString& text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

QString jsonNumber(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

} // namespace

DxfCommand::DxfCommand()
    : m_raw(QStringLiteral("raw"),
            QStringLiteral("The polylines exactly as read, without the cleaning the wizard does."))
{
    commandLine().setPositional(QStringLiteral("FILE.DXF"), QStringLiteral("The drawing."));
    commandLine().addOption(m_raw);
}

int DxfCommand::execute(const CommandLine& line, QTextStream& out, QTextStream& err)
{
    const bool raw = line.isSet(m_raw);
    const QString path = line.positional().first();

    QFile file(path);
    QString problem;
    if (!openDrawing(file, &problem)) {
        err << path << ": " << problem << Qt::endl;
        return Refused;
    }
    DxfPolylines store;
    const DxfReadResult result = DxfPolylineReader().read(file, store);
    if (result.status == DxfReadResult::Failed) {
        err << path << ": " << result.message << Qt::endl;
        return Refused;
    }
    if (!raw)
        store.clean();
    out << "{\"published\": " << (result.status == DxfReadResult::Published ? "true" : "false") << ", \"entities\": [";
    for (int p = 1; p <= store.count(); ++p) {
        out << (p > 1 ? ",\n  " : "\n  ") << "{\"layer\": " << jsonString(store.layerName(p)) << ", \"points\": [";
        for (auto v = store.begin(p); v < store.end(p); ++v) {
            out << (v > store.begin(p) ? ", " : "") << "[\"" << pointNumberText(store.number(v)) << "\", "
                << jsonNumber(store.x(v)) << ", " << jsonNumber(store.y(v)) << "]";
        }
        out << "]}";
    }
    out << (store.isEmpty() ? "]}" : "\n]}") << Qt::endl;
    return Done;
}
