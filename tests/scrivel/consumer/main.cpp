#include <scrivel/ImageFile.h>
#include <scrivel/RTFDoc.h>

#include <QFile>
#include <cstdio>

// Writes a one-line sheet with a picture to the file named on the command line.
int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    ImageFile picture;
    if (!picture.CreateBlank(4, 3, 0x00FF00))
        return 3;
    picture.Rotate();
    RTFDoc doc;
    const int font = doc.Fonts(QStringLiteral("Arial"));
    doc.AddText(doc.DefineTextData(QStringLiteral("consumer"), font, doc.Colors(0, 0, 0), 1, 10, false, false, false),
                true);
    doc.AddShapePicture(0, 0, 0, 0, 30, 40, 3, 0, 0, picture.SavePictureToArray(picture.Picture()), picture.Height(),
                        picture.Width());
    if (!doc.SaveAndClose(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "%s\n", qPrintable(doc.lastError().text()));
        return 4;
    }
    return picture.Width() == 3 && picture.Height() == 4 ? 0 : 5;
}
