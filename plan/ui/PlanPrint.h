#pragma once

class QWidget;
class SitePlan;

// Shows the prepared plan in the print preview, at its page layout; printing goes from there.
namespace PlanPrint {
void preview(const SitePlan& plan, QWidget* parent);
}
