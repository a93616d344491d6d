#pragma once

#include <QWidget>

class QTabBar;

namespace bladetrace {

// A row of tabs over an empty framed page. The pages themselves are separate controls
// laid over the frame; each tab carries a key that names its page.
class TabStrip : public QWidget {
    Q_OBJECT
public:
    explicit TabStrip(QWidget* parent = nullptr);

    void addTab(const QString& key, const QString& caption);
    void setCaption(int index, const QString& caption);
    QString caption(int index) const;
    // The caption as the tab shows it, shortened when the strip is too narrow for all tabs.
    QString shownCaption(int index) const;
    // The key of the selected tab, empty when none is.
    QString selectedKey() const;
    // Selects the tab with this key, as a click on it would.
    void selectKey(const QString& key);
    // In pixels; the height of tab 1's header.
    int headerHeight() const;
    QTabBar* tabBar() const { return tabs_; }

Q_SIGNALS:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitCaptions();

    QTabBar* tabs_;
};

} // namespace bladetrace
