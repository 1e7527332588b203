#include "cli/SketchCommand.h"

#include "cli/LoadedDocument.h"
#include "cli/SharedOptions.h"
#include "sketch/SketchRenderer.h"

#include <QBuffer>
#include <QSaveFile>

SketchCommand::SketchCommand()
    : m_output(SharedOptions::output(QStringLiteral("FILE.png"))),
      m_size(QStringLiteral("size"), QStringLiteral("The picture's side in pixels (default 600)."),
             QStringLiteral("PIXELS"), QStringLiteral("600"))
{
    commandLine().setPositional(QStringLiteral("FILE.CP"), QStringLiteral("The document whose contours are drawn."));
    commandLine().addOption(m_output, CommandLine::Presence::Required);
    commandLine().addOption(m_size);
}

int SketchCommand::execute(const CommandLine& line, QTextStream& out, QTextStream& err)
{
    const QString input = line.positional().first();
    const QString output = line.value(m_output);
    const std::optional<int> size = line.wholeNumber(m_size, 1, SketchRenderer::MaxCanvasSide);
    if (!size) {
        err << "sketch: --size must be a whole number of pixels from 1 to " << SketchRenderer::MaxCanvasSide
            << Qt::endl;
        return Usage;
    }
    const int side = *size;

    const DocumentPtr document = loadDocumentOrReport(input, err);
    if (!document)
        return Refused;
    Error error;
    const Polygons polygons = SketchRenderer::documentPolygons(*document->Land());
    const QImage image = SketchRenderer::renderSketchImage(polygons, side, &error);
    if (image.isNull()) {
        err << input << ": " << error.text() << Qt::endl;
        return Refused;
    }
    // Encoded in memory, then written in one unbuffered call whose size is checked: a full disk
    // must fail before the commit replaces an older picture.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    QSaveFile target(output);
    if (!target.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || target.write(png) != png.size() ||
        !target.commit()) {
        err << output << ": " << target.errorString() << Qt::endl;
        return Refused;
    }
    out << output << ": " << side << " x " << side << " px, " << polygons.Count() << " contours" << Qt::endl;
    return Done;
}
