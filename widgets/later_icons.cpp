#include "widgets/later_icons.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>

#include <memory>

namespace {

// An icon that asks the style for itself when first wanted.
class LaterIcon : public QIconEngine {
public:
    LaterIcon(QPointer<QStyle> style, QStyle::StandardPixmap which)
        : made_(std::make_shared<Made>(Made{std::move(style), which, {}, false}))
    {
    }
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    bool isNull() override { return false; }
    QString key() const override { return QStringLiteral("velmora-later"); }
    QIconEngine *clone() const override { return new LaterIcon(*this); }

private:
    struct Made {
        QPointer<QStyle> style;
        QStyle::StandardPixmap which;
        QIcon icon;
        bool done;
    };
    QIcon &icon()
    {
        if (!made_->done) {
            // The style may have been replaced since: ask today's.
            const QStyle *style = made_->style ? made_->style.data() : QApplication::style();
            made_->icon = style->standardIcon(made_->which);
            made_->done = true;
        }
        return made_->icon;
    }
    std::shared_ptr<Made> made_;
};

class ExtensionIconsLater : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    QIcon standardIcon(StandardPixmap which, const QStyleOption *option,
                       const QWidget *widget) const override
    {
        if (which == SP_ToolBarHorizontalExtensionButton
            || which == SP_ToolBarVerticalExtensionButton)
            return QIcon(new LaterIcon(QPointer<QStyle>(baseStyle()), which));
        return QProxyStyle::standardIcon(which, option, widget);
    }
};

} // namespace

void readExtensionIconsLater()
{
    // The proxy takes the style the application would use (the desktop's,
    // or the one asked for with -style) as its own.
    QApplication::setStyle(new ExtensionIconsLater(QApplication::style()));
}
