#pragma once

#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <optional>

// What the surveyor chooses for one site plan; texts that are not in the document (the
// cadastral and land-book numbers) come only from here.
struct PlanOptions
{
    // 0: the largest standard scale at which the drawing fits.
    int scale = 0;
    QPageSize::PageSizeId paper = QPageSize::A4;
    // Unset: the orientation that allows the larger scale (portrait when both allow the same).
    std::optional<QPageLayout::Orientation> orientation;
    QString cadastralNo;
    QString landBookNo;
    QString surveyorName;
    QString surveyorLicense;
    QString dateText;
    // Names of the place the address's SIRUTA code stands for (empty when unknown).
    QString county;
    QString territory;
    QString locality;
};
