#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <functional>

#include "platform/clock.h"

namespace zonora {

// Date and time text in the user's locale: the short date with a four-digit
// year, and the time with seconds but without a time zone.
class QtClock : public Clock {
  public:
    explicit QtClock(QLocale locale = QLocale::system(),
                     std::function<QDateTime()> now = &QDateTime::currentDateTime)
        : locale_(std::move(locale)), now_(std::move(now)) {}
    DateTimeText now() override;

  private:
    QLocale locale_;
    std::function<QDateTime()> now_;
};

// Format helpers, outside quoted literals: "yy" becomes "yyyy"; time-zone
// fields go, with the blank before them.
QString withFullYear(const QString& dateFormat);
QString withoutTimeZone(const QString& timeFormat);

}  // namespace zonora
