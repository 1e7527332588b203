#include "cli/PlanCommand.h"

#include "cli/DataFolder.h"
#include "cli/LoadedDocument.h"
#include "cli/SharedOptions.h"
#include "plan/PlanPlace.h"
#include "plan/PlanScale.h"
#include "plan/SitePlan.h"

#include <QDate>

namespace {

// The page's layout from the option values, each checked; false with the reason in *problem.
bool readScale(const QString& value, PlanOptions* options, QString* problem)
{
    const QString number = value.startsWith(QLatin1String("1:")) ? value.mid(2) : value;
    bool ok = false;
    options->scale = number.toInt(&ok);
    if (ok && PlanScale::isStandard(options->scale))
        return true;
    *problem = QStringLiteral("--scale must be one of 100, 200, 250, 500, 1000, 2000, 5000");
    return false;
}

bool readPaper(const QString& value, PlanOptions* options, QString* problem)
{
    if (value.compare(QLatin1String("A4"), Qt::CaseInsensitive) == 0)
        options->paper = QPageSize::A4;
    else if (value.compare(QLatin1String("A3"), Qt::CaseInsensitive) == 0)
        options->paper = QPageSize::A3;
    else {
        *problem = QStringLiteral("--paper must be A4 or A3");
        return false;
    }
    return true;
}

bool readOrientation(const QString& value, PlanOptions* options, QString* problem)
{
    if (value == QLatin1String("portrait"))
        options->orientation = QPageLayout::Portrait;
    else if (value == QLatin1String("landscape"))
        options->orientation = QPageLayout::Landscape;
    else {
        *problem = QStringLiteral("--orientation must be portrait or landscape");
        return false;
    }
    return true;
}

} // namespace

PlanCommand::PlanCommand()
    : m_output(SharedOptions::output(QStringLiteral("FILE.pdf"))),
      m_scale(QStringLiteral("scale"),
              QStringLiteral("1:N, one of 100, 200, 250, 500, 1000, 2000, 5000 (default: the largest that fits)."),
              QStringLiteral("N")),
      m_paper(QStringLiteral("paper"), QStringLiteral("The paper size (default A4)."), QStringLiteral("A4|A3")),
      m_orientation(QStringLiteral("orientation"),
                    QStringLiteral("The page's orientation (default: the one allowing the larger scale)."),
                    QStringLiteral("portrait|landscape")),
      m_cadastralNo(QStringLiteral("cadastral-no"), QStringLiteral("The cadastral number printed in the header."),
                    QStringLiteral("TEXT")),
      m_landBookNo(QStringLiteral("land-book-no"), QStringLiteral("The land book number printed in the header."),
                   QStringLiteral("TEXT")),
      m_surveyor(SharedOptions::surveyor()), m_license(SharedOptions::license()),
      m_date(SharedOptions::date(QStringLiteral("TEXT"))), m_data(SharedOptions::data(QStringLiteral("DIR")))
{
    commandLine().setPositional(QStringLiteral("FILE.CP"), QStringLiteral("The document whose plan is drawn."));
    commandLine().addOption(m_output, CommandLine::Presence::Required);
    for (const QCommandLineOption* option :
         {&m_scale, &m_paper, &m_orientation, &m_cadastralNo, &m_landBookNo, &m_surveyor, &m_license, &m_date, &m_data})
        commandLine().addOption(*option);
}

int PlanCommand::execute(const CommandLine& line, QTextStream& out, QTextStream& err)
{
    const QString input = line.positional().first();
    const QString output = line.value(m_output);
    PlanOptions options;
    QString problem;
    // Every value given is checked; the last one counts.
    const auto read = [&](const QCommandLineOption& option, auto reader) {
        for (const QString& value : line.values(option)) {
            if (!reader(value, &options, &problem))
                return false;
        }
        return true;
    };
    if (!read(m_scale, readScale) || !read(m_paper, readPaper) || !read(m_orientation, readOrientation)) {
        err << "plan: " << problem << Qt::endl;
        return Usage;
    }
    options.cadastralNo = line.value(m_cadastralNo);
    options.landBookNo = line.value(m_landBookNo);

    const DocumentPtr document = loadDocumentOrReport(input, err);
    if (!document)
        return Refused;
    options.surveyorName = line.valueIfSet(m_surveyor).value_or(document->SurveyorName());
    options.surveyorLicense = line.valueIfSet(m_license).value_or(document->SurveyorLicense());
    options.dateText = line.valueIfSet(m_date).value_or(QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
    const QString dataFolder = dataFolderOr(line.value(m_data));
    const AddressPtr& address = document->Land()->Address();
    const PlanPlace place = PlanPlace::lookUp(address ? address->SIRUTA() : 0, dataFolder);
    options.county = place.county;
    options.territory = place.territory;
    options.locality = place.locality;

    SitePlan plan(*document, options);
    Error error;
    if (!plan.prepare(&error) || !plan.writePdf(output, &error)) {
        err << output << ": " << error.text() << Qt::endl;
        return Refused;
    }
    out << output << ": " << plan.pageCount() << (plan.pageCount() == 1 ? " page" : " pages");
    if (plan.hasDrawing())
        out << ", scale " << PlanScale::text(plan.scale());
    else
        out << ", no land contour: plan without drawing";
    out << Qt::endl;
    return Done;
}
