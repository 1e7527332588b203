#pragma once

#include "geometry/CoordinateTable.h"
#include "model/Document.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>

class AppSettings;
class CPFile;
class Polygons;
class Prompter;

// The main window's "Save" without the window: the contour checks, the choice of the file, the
// document made ready and written atomically, and the work number moved on. Every question and
// message goes through the prompter, in the order the user has always seen them.
class DocumentSave
{
public:
    // The coordinate list as the window read it just before the save (a land document only).
    struct ListReading
    {
        bool haveCoordinates = false;
        // Nothing when a cell cannot be read; unreadableCell then says which, as the list tells it.
        std::optional<CoordinateTable> data;
        QString unreadableCell;
    };

    struct Request
    {
        DocumentPtr document;
        bool isApartment = false;
        ListReading list;
        // The current file; empty asks for a name through askFileName.
        QString fileName;
        // The name a "SaveAs" cleared, given back when the save stops before a file is written.
        QString previousFileName;
        QString decimalSeparator = QStringLiteral(".");
        // The save dialog: the chosen path, or an empty text when cancelled.
        std::function<QString()> askFileName;
    };

    struct Outcome
    {
        bool saved = false;
        // The window's file name from now on: the file written, or the one kept after a refusal.
        QString fileName;
    };

    // `file` keeps what travels from a loaded file to the next save (status, comments).
    DocumentSave(CPFile& file, AppSettings& settings, Prompter& prompter);

    Outcome save(const Request& request);

    // The name a save that stopped leaves the window with: a "SaveAs" keeps the name it had.
    static QString nameKept(const QString& fileName, const QString& previousFileName);
    // True, after saying so, when `name` is a folder's: nothing can be written there.
    static bool refuseFolder(const QString& name, Prompter& prompter);
    // The list's contours on the document's land; an apartment has none. Null polygons leave
    // the land as it is.
    static void attachContours(Document& document, const std::shared_ptr<Polygons>& polygons);
    // The document as a save writes it: the property type, the list's contours (see
    // attachContours) and the surveyor of the settings.
    static void prepare(Document& document, bool isApartment, const std::shared_ptr<Polygons>& polygons,
                        const AppSettings& settings);
    // The table as polygons; null for a table without points, or after showing why it cannot
    // be converted.
    static std::shared_ptr<Polygons> polygonsOf(const CoordinateTable& data, const QString& decimalSeparator,
                                                Prompter& prompter);

private:
    // The contours' polygons through *polygons (null for a list without points); false when
    // the save must stop (told).
    bool checkContours(const Request& request, std::shared_ptr<Polygons>* polygons);
    bool chooseSaveFile(const Request& request, QString* name);
    bool writeDocument(const Request& request, const std::shared_ptr<Polygons>& polygons, const QString& name);
    void advanceWorkNumber();

    CPFile& m_file;
    AppSettings& m_settings;
    Prompter& m_prompter;
};
