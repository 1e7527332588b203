#include "cli/PlanCommand.h"

#include "cli/DataFolder.h"
#include "cli/LoadedDocument.h"
#include "plan/PlanPlace.h"
#include "plan/PlanScale.h"
#include "plan/SitePlan.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <optional>

namespace {

struct PlanArguments
{
    QString input;
    QString output;
    QString dataFolder;
    std::optional<QString> surveyor;
    std::optional<QString> license;
    std::optional<QString> date;
    PlanOptions options;
};

// False with the reason in *problem (empty for a plain usage error).
bool parse(const QStringList& arguments, PlanArguments* parsed, QString* problem)
{
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        const bool hasValue = i + 1 < arguments.size();
        const QString value = hasValue ? arguments.at(i + 1) : QString();
        if (argument.startsWith(QLatin1Char('-')) && !hasValue)
            return false;
        if (argument == QLatin1String("-o")) {
            parsed->output = value;
        } else if (argument == QLatin1String("--scale")) {
            QString number = value;
            if (number.startsWith(QLatin1String("1:")))
                number = number.mid(2);
            bool ok = false;
            parsed->options.scale = number.toInt(&ok);
            if (!ok || !PlanScale::isStandard(parsed->options.scale)) {
                *problem = QStringLiteral("--scale must be one of 100, 200, 250, 500, 1000, 2000, 5000");
                return false;
            }
        } else if (argument == QLatin1String("--paper")) {
            if (value.compare(QLatin1String("A4"), Qt::CaseInsensitive) == 0)
                parsed->options.paper = QPageSize::A4;
            else if (value.compare(QLatin1String("A3"), Qt::CaseInsensitive) == 0)
                parsed->options.paper = QPageSize::A3;
            else {
                *problem = QStringLiteral("--paper must be A4 or A3");
                return false;
            }
        } else if (argument == QLatin1String("--orientation")) {
            if (value == QLatin1String("portrait"))
                parsed->options.orientation = QPageLayout::Portrait;
            else if (value == QLatin1String("landscape"))
                parsed->options.orientation = QPageLayout::Landscape;
            else {
                *problem = QStringLiteral("--orientation must be portrait or landscape");
                return false;
            }
        } else if (argument == QLatin1String("--cadastral-no")) {
            parsed->options.cadastralNo = value;
        } else if (argument == QLatin1String("--land-book-no")) {
            parsed->options.landBookNo = value;
        } else if (argument == QLatin1String("--surveyor")) {
            parsed->surveyor = value;
        } else if (argument == QLatin1String("--license")) {
            parsed->license = value;
        } else if (argument == QLatin1String("--date")) {
            parsed->date = value;
        } else if (argument == QLatin1String("--data")) {
            parsed->dataFolder = value;
        } else if (parsed->input.isEmpty() && !argument.startsWith(QLatin1Char('-'))) {
            parsed->input = argument;
            continue;
        } else {
            return false;
        }
        ++i;
    }
    return !parsed->input.isEmpty() && !parsed->output.isEmpty();
}

} // namespace

int PlanCommand::run(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    PlanArguments parsed;
    QString problem;
    if (!parse(arguments, &parsed, &problem)) {
        if (!problem.isEmpty()) {
            err << "plan: " << problem << Qt::endl;
            return Usage;
        }
        return usage(err);
    }
    const DocumentPtr document = loadDocumentOrReport(parsed.input, err);
    if (!document)
        return Refused;
    PlanOptions& options = parsed.options;
    options.surveyorName = parsed.surveyor.value_or(document->SurveyorName());
    options.surveyorLicense = parsed.license.value_or(document->SurveyorLicense());
    options.dateText = parsed.date.value_or(QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
    const QString dataFolder = dataFolderOr(parsed.dataFolder);
    const AddressPtr& address = document->Land()->Address();
    const PlanPlace place = PlanPlace::lookUp(address ? address->SIRUTA() : 0, dataFolder);
    options.county = place.county;
    options.territory = place.territory;
    options.locality = place.locality;

    SitePlan plan(*document, options);
    Error error;
    if (!plan.prepare(&error) || !plan.writePdf(parsed.output, &error)) {
        err << parsed.output << ": " << error.text() << Qt::endl;
        return Refused;
    }
    out << parsed.output << ": " << plan.pageCount() << (plan.pageCount() == 1 ? " page" : " pages");
    if (plan.hasDrawing())
        out << ", scale " << PlanScale::text(plan.scale());
    else
        out << ", no land contour: plan without drawing";
    out << Qt::endl;
    return Done;
}
