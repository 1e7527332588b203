#include "cli/SketchCommand.h"

#include "cli/LoadedDocument.h"
#include "sketch/SketchRenderer.h"

#include <QBuffer>
#include <QSaveFile>

int SketchCommand::run(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QString input;
    QString output;
    int side = 600;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QLatin1String("-o") && i + 1 < arguments.size()) {
            output = arguments.at(++i);
        } else if (argument == QLatin1String("--size") && i + 1 < arguments.size()) {
            bool ok = false;
            side = arguments.at(++i).toInt(&ok);
            if (!ok || side < 1 || side > SketchRenderer::MaxCanvasSide) {
                err << "sketch: --size must be a whole number of pixels from 1 to " << SketchRenderer::MaxCanvasSide
                    << Qt::endl;
                return Usage;
            }
        } else if (input.isEmpty() && !argument.startsWith(QLatin1Char('-'))) {
            input = argument;
        } else {
            return usage(err);
        }
    }
    if (input.isEmpty() || output.isEmpty())
        return usage(err);

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
