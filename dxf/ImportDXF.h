#pragma once

#include "dxf/DxfPolylineReader.h"
#include "model/DXFEntity.h"

#include <QObject>

class QIODevice;

// The polyline reader as the wizard and the command line see it: reads DXFFileName and, when
// the drawing's ENTITIES section ends, publishes its closed polylines as DXFEntities. The
// collection is the reader's own and only grows; the caller empties it (RemoveAll) before
// reading another file. Events are raised synchronously inside Import().
class ImportDXF : public QObject
{
    Q_OBJECT

public:
    explicit ImportDXF(QObject* parent = nullptr);

    const QString& DXFFileName() const { return m_fileName; }
    void setDXFFileName(const QString& name) { m_fileName = name; }
    // Empty (null) until a read has published its result.
    const DXFEntitiesPtr& DXFEntities() const { return m_published; }
    void setDXFEntities(DXFEntitiesPtr entities) { m_published = std::move(entities); }

    // One complete read of DXFFileName (the operation named after the class). A file that
    // cannot be opened fails with a Romanian message and raises no event.
    DxfReadResult Import();
    DxfReadResult Import(QIODevice& device);

signals:
    void StartImport();
    void StopImport();
    void Importing();

private:
    QString m_fileName;
    DXFEntitiesPtr m_own;
    DXFEntitiesPtr m_published;
};

// Opens a drawing for reading; on failure returns false with a Romanian message.
bool openDrawing(class QFile& file, QString* message);
