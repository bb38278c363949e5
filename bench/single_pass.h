#pragma once

#include <QString>

namespace vorlo::bench {

// The floor of an evaluation: one pass over the reference, the proposal and the found text
// together, revealing each hidden position where the proposal has the reference's
// character; `revealed` receives how many. The engine's operations are measured against it.
QString single_pass(const QString& reference, const QString& proposal, const QString& found,
                    int& revealed);

}  // namespace vorlo::bench
