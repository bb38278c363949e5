#include "single_pass.h"

namespace vorlo::bench {

[[gnu::noinline]] QString single_pass(const QString& reference, const QString& proposal,
                                      const QString& found, int& revealed) {
    QString result(found.size(), Qt::Uninitialized);
    QChar* out = result.data();
    revealed = 0;
    for (qsizetype i = 0; i < found.size(); ++i) {
        QChar s = found.at(i);
        if (i < proposal.size() && i < reference.size() && proposal.at(i) == reference.at(i) &&
            s == QLatin1Char('*')) {
            s = reference.at(i);
            ++revealed;
        }
        out[i] = s;
    }
    return result;
}

}  // namespace vorlo::bench
