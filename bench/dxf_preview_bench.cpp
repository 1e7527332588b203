// The DXF wizard's window with a sector drawing: filling page 2's list and drawing its preview
// for about 25,000 and 50,000 polylines (the second must take about twice the first: no
// quadratic rebuilds). With a folder as argument, saves pictures of pages 1 and 2 there.
#include "DxfDrawingWriter.h"

#include "dxf/ui/DxfMapWidget.h"
#include "dxf/ui/frmImportDXF.h"
#include "support/ScriptedPrompter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

double measure(const QString& folder, long long parcels, const QString& shots)
{
    const QString path = folder + QStringLiteral("/preview_%1.dxf").arg(parcels);
    std::FILE* file = std::fopen(path.toLocal8Bit().constData(), "wb");
    DxfDrawingWriter::write(file, parcels * 1330, false);
    std::fclose(file);

    ScriptedPrompter prompter;
    frmImportDXF window(prompter, folder);
    window.show();
    window.openFile(path);
    window.cmdNext_Click();
    window.cmbLayers_Click(0);
    window.lstEntities_Click(0);
    window.map(0)->updatePicture();
    if (!shots.isEmpty())
        window.grab().save(shots + QStringLiteral("/sector_page1.png"));
    prompter.queueAnswer(Prompter::Answer::Yes);
    double fastest = 1e30;
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer clock;
        clock.start();
        window.cmdNext_Click(); // fills page 2's list
        window.map(1)->updatePicture();
        fastest = std::min(fastest, clock.nsecsElapsed() / 1e9);
        if (run == 0 && !shots.isEmpty()) {
            window.grab().save(shots + QStringLiteral("/sector_page2_full.png"));
            window.findChild<QListWidget*>(QStringLiteral("lstEntities2"))->setCurrentRow(1);
            for (int i = 0; i < 5; ++i)
                window.cmdZoomIN_Click();
            window.grab().save(shots + QStringLiteral("/sector_page2.png"));
            window.wizard().map(1).resetView();
        }
        window.cmdPrevious_Click();
    }
    QTextStream(stdout) << QString::asprintf("  %d polylines: page 2 list and preview %.3f s\n",
                                             window.wizard().polylines().count(), fastest);
    return fastest;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTemporaryDir folder;
    const QString shots = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const double small = measure(folder.path(), 15000, shots);
    const double large = measure(folder.path(), 30000, QString());
    QTextStream(stdout) << QString::asprintf("ratio %.2f (linear: about 2)\n", large / small);
    return 0;
}
