#include "core/window_place.h"

#include <algorithm>

namespace {

const QString kLeft = QStringLiteral("WindowLeft");
const QString kTop = QStringLiteral("WindowTop");
const QString kWidth = QStringLiteral("WindowWidth");
const QString kHeight = QStringLiteral("WindowHeight");
const QString kMaximised = QStringLiteral("WindowMaximised");

qint64 area(const QRect &r)
{
    return r.isEmpty() ? 0 : qint64(r.width()) * r.height();
}

} // namespace

std::vector<std::pair<QString, QString>> windowPlaceValues(const WindowPlace &place)
{
    return {{kLeft, settings::longText(place.frame.x())},
            {kTop, settings::longText(place.frame.y())},
            {kWidth, settings::longText(place.frame.width())},
            {kHeight, settings::longText(place.frame.height())},
            {kMaximised, settings::booleanText(place.maximised)}};
}

std::optional<WindowPlace> readWindowPlace(const settings::Lookup &lookup)
{
    qint32 numbers[4] = {};
    const QString *const keys[4] = {&kLeft, &kTop, &kWidth, &kHeight};
    for (int i = 0; i < 4; ++i) {
        const std::optional<QString> text = lookup(*keys[i]);
        const std::optional<qint32> number = text ? settings::toLong(*text) : std::nullopt;
        if (!number)
            return std::nullopt;
        numbers[i] = *number;
    }
    const std::optional<QString> text = lookup(kMaximised);
    const std::optional<bool> maximised = text ? settings::toBoolean(*text) : std::nullopt;
    if (!maximised || numbers[2] <= 0 || numbers[3] <= 0)
        return std::nullopt;
    return WindowPlace{QRect(numbers[0], numbers[1], numbers[2], numbers[3]), *maximised};
}

QRect placeOnScreens(const QRect &frame, const QList<QRect> &screens)
{
    if (screens.isEmpty())
        return frame;
    const auto overlap = [&frame](const QRect &s) { return area(s.intersected(frame)); };
    const QRect screen = *std::max_element(screens.begin(), screens.end(),
                                           [&](const QRect &a, const QRect &b) {
                                               return overlap(a) < overlap(b);
                                           });
    if (overlap(screen) == 0)
        return QRect(screens.first().topLeft(), frame.size().boundedTo(screens.first().size()));
    const QSize size = frame.size().boundedTo(screen.size());
    const int x = std::clamp(frame.x(), screen.left(), screen.left() + screen.width() - size.width());
    const int y = std::clamp(frame.y(), screen.top(), screen.top() + screen.height() - size.height());
    return QRect(QPoint(x, y), size);
}
