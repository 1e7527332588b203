#pragma once

#include "base/Error.h"
#include "entry/nomenclature/NomenclatureImport.h"

#include <QObject>

class QThread;

// One nomenclature import run on a worker thread, so that a window stays responsive and can
// show the progress. The signals reach the job's own thread (the GUI thread) queued; after
// finished() the summary or the error can be read.
//
// The job touches nothing but the files: the caller reopens its tables after a success.
class NomenclatureImportJob : public QObject
{
    Q_OBJECT
public:
    NomenclatureImportJob(NomenclatureSources sources, QString dataFolder, QObject* parent = nullptr);
    // Waits for a running import: the tables must not be left half replaced.
    ~NomenclatureImportJob() override;

    // Starts the import once; a second call does nothing.
    void start();
    bool isRunning() const;

    bool succeeded() const { return m_succeeded; }
    const NomenclatureSummary& summary() const { return m_summary; }
    const Error& error() const { return m_error; }

signals:
    void progressed(int percent, const QString& stage);
    void finished(bool succeeded);

private:
    void work();

    NomenclatureSources m_sources;
    QString m_dataFolder;
    QThread* m_thread = nullptr;
    bool m_succeeded = false;
    NomenclatureSummary m_summary;
    Error m_error;
};
