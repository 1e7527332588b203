#include "entry/nomenclature/NomenclatureImportJob.h"

#include <QThread>

NomenclatureImportJob::NomenclatureImportJob(NomenclatureSources sources, QString dataFolder, QObject* parent)
    : QObject(parent), m_sources(std::move(sources)), m_dataFolder(std::move(dataFolder))
{
}

NomenclatureImportJob::~NomenclatureImportJob()
{
    if (m_thread)
        m_thread->wait();
}

void NomenclatureImportJob::start()
{
    if (m_thread)
        return;
    m_thread = QThread::create([this] { work(); });
    m_thread->setParent(this);
    // QThread::finished is delivered here, on the job's thread, once the worker has ended, so
    // the results are complete and no longer touched by the worker when finished() is seen.
    connect(m_thread, &QThread::finished, this, [this] { emit finished(m_succeeded); });
    m_thread->start();
}

bool NomenclatureImportJob::isRunning() const
{
    return m_thread && !m_thread->isFinished();
}

void NomenclatureImportJob::work()
{
    try {
        const NomenclatureBuild build = NomenclatureImport::run(
            m_sources, m_dataFolder, [this](int percent, const QString& stage) { emit progressed(percent, stage); });
        m_summary = NomenclatureImport::summary(build);
        m_succeeded = true;
    } catch (const Failure& failure) {
        m_error = failure.error();
    } catch (const std::exception& failure) {
        // Out of memory on a huge register, say: still a message, never a crash of the window.
        m_error = Error{ErrorNumber::InvalidArgument, QString::fromLocal8Bit(failure.what())};
    }
}
