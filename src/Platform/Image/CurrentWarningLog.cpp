#include "Platform/Image/WarningLog.h"

namespace image::detail {

namespace {

thread_local std::shared_ptr<WarningLog> tCurrentLog;

}  // namespace

ReportingScope::ReportingScope(std::shared_ptr<WarningLog> log) : previous_(std::move(tCurrentLog)) {
    tCurrentLog = std::move(log);
}

ReportingScope::~ReportingScope() {
    tCurrentLog = std::move(previous_);
}

const std::shared_ptr<WarningLog>& currentWarningLog() {
    return tCurrentLog;
}

void setCurrentWarningLog(std::shared_ptr<WarningLog> log) {
    tCurrentLog = std::move(log);
}

}  // namespace image::detail
