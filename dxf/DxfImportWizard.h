#pragma once

#include "dxf/DxfMapView.h"
#include "dxf/DxfPolylines.h"
#include "model/DXFEntity.h"

#include <QStringList>
#include <functional>
#include <vector>

class Prompter;

// The rules of the DXF import wizard (frmImportDXF) without its window: pages 0-3, the
// buttons' states, the lists, the land choice, the building ties and the result. The window
// forwards its clicks here and shows the state; tests and the command line drive it through a
// Prompter. Positions are 1-based positions in the cleaned polylines, counted in 32 bits.
class DxfImportWizard
{
public:
    struct Line
    {
        QString text;
        int position = 0;
    };
    struct Association
    {
        int position = 0;
        QString number; // as typed (surrounding blanks removed)
        QString text() const { return QString::number(position) + QLatin1Char('_') + number; }
    };
    // Hooks for the window: progress while reading and while filling the lists, so it can
    // advance its bar and repaint. All optional.
    struct Progress
    {
        std::function<void(const QString& label)> started; // reading (empty label) or list filling begins
        std::function<void(int imported)> polyline;        // one more polyline read
        std::function<void()> step;                        // one more list line
        std::function<void()> stopped;
    };

    static const QString NoteFound;
    static const QString NoteNotFound;

    DxfImportWizard(Prompter& prompter, QString programFolder);

    Progress progress;

    // --- actions (the window's handlers) ---
    // cmdOpenFile_Click: empties the previous result, asks for a file (a cancelled dialog keeps
    // the previous name), and loads it.
    void openFile();
    // The same with the file already chosen (empty: cancelled).
    void openFile(const QString& chosenPath);
    void next();                 // cmdNext_Click
    void previous();             // cmdPrevious_Click
    void chooseLayer(int index); // cmbLayers_Click: index into layerNames()
    void clickLine(int row);     // lstEntities_Click / lstEntities2_Click: row of the current page's list
    void setNumberText(const QString& text) { m_numberText = text; }
    void associate(); // cmdAsociate_Click with numberText()
    // cmdExit_Click: on the last page finishes (may ask to renumber) and returns true with
    // result() set; elsewhere it cancels and returns true with no result.
    bool exit();

    // Preview commands on the area of the page shown (pages 1 and 2 only).
    void zoomIn();
    void zoomOut();
    void zoomSelected();
    void togglePan();
    bool panMode() const { return m_panMode; }

    // --- state ---
    int page() const { return m_page; }
    const QString& fileName() const { return m_fileName; }
    const QString& note() const { return m_note; }
    bool noteIsError() const { return m_noteError; }
    bool previousEnabled() const { return m_previousEnabled && !m_panMode; }
    bool nextEnabled() const { return m_nextEnabled && !m_panMode; }
    bool exitEnabled() const { return !m_panMode; }
    bool exitIsOk() const { return m_page == 3; }
    bool previewButtonsVisible() const { return m_page == 1 || m_page == 2; }
    bool zoomButtonsEnabled() const { return !m_panMode; }
    bool listEnabled() const { return !m_panMode; }
    bool associateEnabled() const { return m_associateEnabled; }
    const QString& numberText() const { return m_numberText; }

    const QStringList& layerNames() const { return m_layerNames; }
    int chosenLayer() const { return m_chosenLayer; } // -1: the prompt "Alegeti stratul ..."
    // The list of the page shown (page 1 or 2); the report lines of page 3.
    const std::vector<Line>& lines() const { return m_page == 2 ? m_lines2 : m_lines1; }
    const std::vector<Line>& lines(int page) const { return page == 2 ? m_lines2 : m_lines1; }
    const QStringList& report() const { return m_report; }

    int LandIndex() const { return m_landIndex; }
    int SelectedIndex() const { return m_selectedIndex; }
    const std::vector<Association>& Associations() const { return m_associations; }
    QStringList associationTexts() const;
    int ImportedCount() const { return m_importedCount; }
    bool isTied(int position) const
    {
        return position >= 1 && position < int(m_tied.size()) && m_tied[std::size_t(position)];
    }

    const DxfPolylines& polylines() const { return m_polylines; }
    const DxfMapView::Transform& transform() const { return m_transform; }
    DxfMapView& map(int area) { return m_maps[area]; }
    const DxfMapView& map(int area) const { return m_maps[area]; }
    // The area sizes in 1/1440 inch (the transform is fitted to area 1, as the window lays both out alike).
    void setAreaSize(double W, double H);
    // Which polylines area `area` draws, in order: page 1 only the chosen layer's, page 2 all.
    bool drawsPolyline(int area, int position) const;
    // Counts up on every change that needs the area redrawn (the window compares).
    int mapGeneration(int area) const { return m_mapGeneration[area]; }

    // The confirmed result: the land ("TEREN") first, then one entity per building ("C" + number).
    const DXFEntitiesPtr& result() const { return m_result; }

private:
    void loadFile();
    void showStep();
    void fillLayerList();
    void fillPage2List();
    void buildReport();
    void rebuildTies();
    void redraw(int area) { ++m_mapGeneration[area]; }
    int area() const { return m_page - 1; }
    bool finish();
    // False, with a message naming the polyline, when a point lies beyond what the coordinate
    // list accepts.
    bool checkCoordinates(int position, const QString& name);

    Prompter& m_prompter;
    QString m_programFolder;
    QString m_fileName;
    DxfPolylines m_polylines;
    int m_page = 0;
    bool m_previousEnabled = false;
    bool m_nextEnabled = false;
    bool m_associateEnabled = false;
    QString m_note;
    bool m_noteError = false;
    QString m_numberText;

    QStringList m_layerNames;
    int m_chosenLayer = -1;
    std::vector<Line> m_lines1;
    std::vector<Line> m_lines2;
    QStringList m_report;

    int m_landIndex = 0;
    int m_selectedIndex = 0;
    std::vector<Association> m_associations;
    std::vector<char> m_tied; // by position
    int m_importedCount = 0;

    DxfMapView::Transform m_transform;
    DxfMapView m_maps[2];
    int m_mapGeneration[2] = {0, 0};
    bool m_panMode = false;

    DXFEntitiesPtr m_result;
};
