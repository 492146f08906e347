#include "calibration/calibration_windows.h"

#include "calibration/frm_error.h"
#include "calibration/frm_offset.h"
#include "trend/ui/stable_indicator.h"

CalibrationWindows::CalibrationWindows(Link& link, ModalRunner& modal, QWidget* parent)
    : offset_(std::make_unique<frmOffset>(link, modal, state_, parent))
    , error_(std::make_unique<frmError>(link, modal, state_, parent))
{
}

CalibrationWindows::~CalibrationWindows() = default;

void CalibrationWindows::showStability(const StabilityVerdict& verdict, const QString& units)
{
    offset_->stable->showVerdict(verdict, units);
    error_->stable->showVerdict(verdict, units);
}

std::vector<ReadingLabels> CalibrationWindows::readingLabels() const
{
    return {offset_->readingLabels(), error_->readingLabels()};
}
