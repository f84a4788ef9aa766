#pragma once
// Animated texts on a label: a number counted in steps of 1 between a prefix and a suffix (each step
// a little faster, or all at an even pace), and a fade out and in to a new text. A count always
// ends showing exactly its end value, after at most |end - start| + 2 steps; start or end values
// that are not finite show the end value at once. Main thread only; steps run on the main queue and
// stop when the label is destroyed.

#include <QLineEdit>
#include <QString>

namespace textfield {

// "prefix" + value + "suffix", with no decimals for whole numbers and one otherwise, a "." always.
QString numberText(const QString& prefix, double value, const QString& suffix, bool wholeNumbers);

void animateNumber(QLineEdit& label, const QString& prefix, const QString& suffix, bool wholeNumbers,
                   bool countUp, float start, float end, double duration);
void countUpNumber(QLineEdit& label, const QString& prefix, const QString& suffix, float start, float end,
                   double duration);
void fadeToText(QLineEdit& label, const QString& text, double duration);

}  // namespace textfield
