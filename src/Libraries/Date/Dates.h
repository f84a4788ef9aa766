#pragma once
// The whole date library in one include: fields and setters, periods and rounding, tests and
// random dates, formatting and parsing, builders and arithmetic, weekdays, texts and intervals.

#include "Libraries/Date/Builders.h"
#include "Libraries/Date/Components.h"
#include "Libraries/Date/DateTexts.h"
#include "Libraries/Date/Formatting.h"
#include "Libraries/Date/Intervals.h"
#include "Libraries/Date/Periods.h"
#include "Libraries/Date/Predicates.h"
#include "Libraries/Date/RandomDates.h"
#include "Libraries/Date/Weekdays.h"
