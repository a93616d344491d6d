#include "tab_strip.h"

#include "design_controls.h"

#include <QApplication>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>
#include <QTabBar>

namespace bladetrace {
namespace {

// The usual tab padding leaves the four captions too long for the strip at the window's
// design size; half of it still frames them.
class NarrowTabPadding : public QProxyStyle {
public:
    explicit NarrowTabPadding(QStyle* base) : QProxyStyle(base) {}

    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        const int value = QProxyStyle::pixelMetric(metric, option, widget);
        return metric == PM_TabBarTabHSpace ? value / 2 : value;
    }
};

constexpr qreal kFontStep = 0.5;

class CaptionTabBar : public QTabBar {
public:
    using QTabBar::QTabBar;

    QString shownText(int index) const {
        QStyleOptionTab option;
        initStyleOption(&option, index);
        return option.text;
    }
    // The width all tabs take with their whole captions at the bar's font.
    int wantedWidth() const {
        int width = 0;
        for (int i = 0; i < count(); ++i)
            width += QTabBar::tabSizeHint(i).width();
        return width;
    }
    int naturalTabHeight() const { return count() > 0 ? QTabBar::tabSizeHint(0).height() : 0; }
    // The tabs keep this height at any font, 0 for their own.
    void keepTabHeight(int height) { tabHeight_ = height; }

protected:
    QSize tabSizeHint(int index) const override {
        QSize size = QTabBar::tabSizeHint(index);
        if (tabHeight_ > 0)
            size.setHeight(tabHeight_);
        return size;
    }

private:
    int tabHeight_ = 0;
};

} // namespace

TabStrip::TabStrip(QWidget* parent) : QWidget(parent), tabs_(new CaptionTabBar(this)) {
    auto* style = new NarrowTabPadding(QStyleFactory::create(QApplication::style()->name()));
    style->setParent(this); // outlives the tab bar, its first child
    tabs_->setStyle(style);
    tabs_->setObjectName(QStringLiteral("TabStrip1_tabs"));
    tabs_->setDrawBase(false);
    tabs_->setExpanding(false);
    // Every page one click away: narrow strips shorten the captions instead of scrolling.
    tabs_->setUsesScrollButtons(false);
    tabs_->setElideMode(Qt::ElideRight);
    connect(tabs_, &QTabBar::currentChanged, this, &TabStrip::clicked);
}

void TabStrip::addTab(const QString& key, const QString& caption) {
    const int index = tabs_->addTab(caption);
    tabs_->setTabData(index, key);
    tabs_->resize(width(), tabs_->sizeHint().height());
}

void TabStrip::setCaption(int index, const QString& caption) {
    tabs_->setTabText(index, caption);
    fitCaptions();
}

// Five captions are wider than the strip at the window's design size: the tabs take the
// largest font, half a point at a time down to the smallest, at which all captions show
// whole. The header keeps its height at the window's font, so the pages stay where the
// layout put them.
void TabStrip::fitCaptions() {
    auto* bar = static_cast<CaptionTabBar*>(tabs_);
    bar->setFont(QFont());
    bar->keepTabHeight(bar->naturalTabHeight());
    QFont fitted = font();
    while (bar->wantedWidth() > width() && fitted.pointSizeF() - kFontStep >= kSmallestFontPoints) {
        fitted.setPointSizeF(fitted.pointSizeF() - kFontStep);
        bar->setFont(fitted);
    }
    tabs_->setGeometry(0, 0, width(), tabs_->sizeHint().height());
}

QString TabStrip::caption(int index) const {
    return tabs_->tabText(index);
}

QString TabStrip::shownCaption(int index) const {
    return static_cast<const CaptionTabBar*>(tabs_)->shownText(index);
}

QString TabStrip::selectedKey() const {
    return tabs_->currentIndex() < 0 ? QString() : tabs_->tabData(tabs_->currentIndex()).toString();
}

void TabStrip::selectKey(const QString& key) {
    for (int i = 0; i < tabs_->count(); ++i) {
        if (tabs_->tabData(i).toString() == key)
            tabs_->setCurrentIndex(i);
    }
}

int TabStrip::headerHeight() const {
    return tabs_->count() > 0 ? tabs_->tabRect(0).height() : tabs_->sizeHint().height();
}

void TabStrip::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fitCaptions();
}

void TabStrip::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    const int header = headerHeight();
    frame.rect = rect().adjusted(0, header, 0, 0);
    frame.tabBarSize = tabs_->sizeHint();
    frame.tabBarRect = QRect(0, 0, tabs_->width(), header);
    frame.shape = QTabBar::RoundedNorth;
    painter.drawPrimitive(QStyle::PE_FrameTabWidget, frame);
}

} // namespace bladetrace
