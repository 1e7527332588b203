// Export and import of the exchange file at the format's limits (32,767 points), against bare
// QXmlStreamWriter / QXmlStreamReader writing and reading the same elements, in the same run;
// several sizes show whether the cost grows linearly with the points.
#include "BenchTimer.h"
#include "cgxml/CgxmlImport.h"
#include "cgxml/CgxmlWriter.h"
#include "support/DocumentFactory.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QLocale>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <cstdio>

namespace {

QByteArray exportOf(const Document& document)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    CgxmlWriter::Options options;
    options.exportDate = QDateTime(QDate(2026, 1, 1), QTime(0, 0));
    CgxmlWriter::write(document, options, &buffer);
    return buffer.data();
}

void importOf(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    CgxmlReader reader;
    QString error;
    CgxmlImport::Result result;
    if (!reader.read(&buffer, &error) || !CgxmlImport::toDocument(reader, QString(), nullptr, &result, &error))
        std::fprintf(stderr, "import failed: %s\n", qPrintable(error));
}

// The baseline writer: every point row with the same fields and number texts, nothing else
// to look up.
QByteArray bareExport(const Document& document)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QXmlStreamWriter xml(&buffer);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(1);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("CGXML"));
    int id = 0;
    auto write = [&](const Polygon& polygon, const QString& owner) {
        for (const PointPtr& point : *polygon.Points()) {
            xml.writeStartElement(QStringLiteral("Points"));
            xml.writeTextElement(QStringLiteral("POINTID"), QString::number(++id));
            xml.writeTextElement(owner, QStringLiteral("1"));
            xml.writeTextElement(QStringLiteral("NO"), point->No());
            xml.writeTextElement(QStringLiteral("X"), QString::number(point->Y(), 'g', QLocale::FloatingPointShortest));
            xml.writeTextElement(QStringLiteral("Y"), QString::number(point->X(), 'g', QLocale::FloatingPointShortest));
            xml.writeEndElement();
        }
    };
    const Land& land = *document.Land();
    write(*land.Geometry(), QStringLiteral("IMMOVABLEID"));
    for (const BuildPtr& build : *land.Buildings())
        write(*build->Geometry(), QStringLiteral("BUILDINGID"));
    xml.writeEndElement();
    xml.writeEndDocument();
    return buffer.data();
}

// The baseline reader: every row's fields read into texts and the coordinates into numbers.
void bareImport(const QByteArray& bytes)
{
    QXmlStreamReader xml(bytes);
    double sum = 0;
    xml.readNextStartElement();
    while (xml.readNextStartElement()) {
        while (xml.readNextStartElement()) {
            const bool coordinate = xml.name() == QLatin1String("X") || xml.name() == QLatin1String("Y");
            const QString text = xml.readElementText();
            if (coordinate)
                sum += text.toDouble();
        }
    }
    if (sum < 0)
        std::fprintf(stderr, "impossible\n");
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    std::printf("%8s %12s %12s %12s %12s %8s %8s %10s %10s\n", "points", "export ms", "bare ms", "import ms", "bare ms",
                "export x", "import x", "ns/pt exp", "ns/pt imp");
    for (const int points : {4096, 8192, 16384, 32767}) {
        const DocumentPtr document = DocumentFactory::large(points, 100, 10, 10);
        const QByteArray ours = exportOf(*document);
        const QByteArray bare = bareExport(*document);
        const double exportMs = bestOf(7, [&] { exportOf(*document); });
        const double bareExportMs = bestOf(7, [&] { bareExport(*document); });
        const double importMs = bestOf(7, [&] { importOf(ours); });
        const double bareImportMs = bestOf(7, [&] { bareImport(ours); });
        std::printf("%8d %12.2f %12.2f %12.2f %12.2f %8.2f %8.2f %10.0f %10.0f\n", points, exportMs, bareExportMs,
                    importMs, bareImportMs, exportMs / bareExportMs, importMs / bareImportMs, exportMs * 1e6 / points,
                    importMs * 1e6 / points);
        (void)bare;
    }
    std::printf("goal: export and import within 3x of the bare stream classes, ns per point steady\n");
    return 0;
}
