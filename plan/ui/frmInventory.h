#pragma once

#include "plan/CoordinateInventory.h"

#include <QDialog>
#include <functional>

class Prompter;
class QPushButton;
class QTableWidget;

// Shows the coordinate inventory in a table; copies it to the clipboard as CSV and exports it
// to a CSV file (chosen through the prompter, written through a temporary file).
class frmInventory : public QDialog
{
    Q_OBJECT
public:
    frmInventory(CoordinateInventory inventory, Prompter& prompter, QWidget* parent = nullptr);

    // Where "Copiaza" puts the text (the system clipboard unless a test replaces it).
    void setClipboardWriter(std::function<void(const QString&)> writer) { m_writeClipboard = std::move(writer); }

    void copyToClipboard();
    // Asks for the file and writes it; true when a file was written.
    bool exportCsv();

    QTableWidget* grdInventory;
    QPushButton* cmdCopy;
    QPushButton* cmdExport;
    QPushButton* cmdClose;

private:
    void fillTable();

    CoordinateInventory m_inventory;
    Prompter& m_prompter;
    std::function<void(const QString&)> m_writeClipboard;
};
