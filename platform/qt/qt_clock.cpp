#include "platform/qt/qt_clock.h"

#include "platform/text_encoding.h"

namespace zonora {
namespace {

// Calls change(run) for each run of one letter outside quotes, and keeps the rest.
template <typename Change>
QString rewriteFields(const QString& format, QChar letter, Change change) {
    QString result;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format[i];
        if (c == QChar('\'')) quoted = !quoted;
        if (quoted || c != letter) {
            result += c;
            ++i;
            continue;
        }
        qsizetype run = 0;
        while (i + run < format.size() && format[i + run] == letter) ++run;
        change(result, run);
        i += run;
    }
    return result;
}

}  // namespace

QString withFullYear(const QString& dateFormat) {
    return rewriteFields(dateFormat, QChar('y'), [](QString& out, qsizetype run) {
        out += QString(run == 2 ? 4 : run, QChar('y'));
    });
}

QString withoutTimeZone(const QString& timeFormat) {
    const QString result = rewriteFields(timeFormat, QChar('t'), [](QString& out, qsizetype) {
        while (out.endsWith(QChar(' '))) out.chop(1);
    });
    return result.trimmed();
}

DateTimeText QtClock::now() {
    const QDateTime moment = now_();
    const QString date =
        locale_.toString(moment.date(), withFullYear(locale_.dateFormat(QLocale::ShortFormat)));
    const QString time =
        locale_.toString(moment.time(), withoutTimeZone(locale_.timeFormat(QLocale::LongFormat)));
    return {withPlainBlanks(date.toStdString()), withPlainBlanks(time.toStdString())};
}

}  // namespace zonora
