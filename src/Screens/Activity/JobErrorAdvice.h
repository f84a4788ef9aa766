#pragma once
// The line the activity screen shows under the message of a job that could not run: what the user
// can do about it. Pure text; any thread.

#include <string>

std::string nextStepAfterJobError(const std::string& message);
