#include "support/TestSupport.h"
#include "widgets/Popup.h"
#include "widgets/StateWidget.h"
#include "widgets/StatusLight.h"

#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace {

struct Window
{
    QWidget window;
    QLabel *anchor;
    Window()
    {
        auto *layout = new QVBoxLayout(&window);
        layout->addSpacing(40);
        anchor = new QLabel(QStringLiteral("anchor"), &window);
        anchor->setMinimumSize(300, 120);
        layout->addWidget(anchor);
        window.resize(400, 300);
        window.show();
    }
};

} // namespace

class TestPopup : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void colorsAndTextStyles_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QColor>("color");
        QTest::addColumn<QString>("textColor");
        QTest::newRow("0") << 0 << QColor(0, 0, 0, 200) << QStringLiteral("color : white;");
        QTest::newRow("1") << 1 << QColor(230, 90, 90, 230) << QStringLiteral("color : white;");
        QTest::newRow("2") << 2 << QColor(70, 170, 110, 230) << QStringLiteral("color : white;");
        QTest::newRow("3") << 3 << QColor(220, 220, 90, 230) << QStringLiteral("color : black;");
    }

    void colorsAndTextStyles()
    {
        QFETCH(int, value);
        QFETCH(QColor, color);
        QFETCH(QString, textColor);
        Popup popup(nullptr, nullptr, 10, 10, 10, false);
        popup.setPopupText(value, QStringLiteral("Result sent"));
        QCOMPARE(popup.color(), color);
        QCOMPARE(popup.text(), QStringLiteral("Result sent"));
        QVERIFY(popup.label()->styleSheet().startsWith(QStringLiteral("QLabel { ") + textColor));
        QVERIFY(popup.label()->styleSheet().contains(QStringLiteral("margin-left: 10px;")));
    }

    void unknownColorKeepsTheLastOne()
    {
        Popup popup(nullptr, nullptr, 10, 10, 10, false);
        popup.setPopupText(3, QStringLiteral("first"));
        popup.setPopupText(7, QStringLiteral("second"));
        QCOMPARE(popup.color(), QColor(220, 220, 90, 230));
        QVERIFY(popup.label()->styleSheet().contains(QStringLiteral("color : black;")));
        QCOMPARE(popup.text(), QStringLiteral("second"));
    }

    void fadesInStaysFadesOutAndHides()
    {
        Popup popup(nullptr, nullptr, 40, 40, 150, false);
        popup.setPopupText(2, QStringLiteral("hello"));
        popup.show();
        QVERIFY(popup.isVisible());
        QCOMPARE(popup.getPopupOpacity(), 0.0F);
        QTRY_COMPARE(popup.getPopupOpacity(), 1.0F);
        QVERIFY(popup.isVisible()); // a finished fade-in does not hide
        QTRY_VERIFY(!popup.isVisible());
        QCOMPARE(popup.getPopupOpacity(), 0.0F);
    }

    void hideOnlyWhenFullyTransparent()
    {
        Popup popup(nullptr, nullptr, 10, 10, 10000, false);
        popup.show();
        popup.setPopupOpacity(0.5F);
        popup.hide();
        QVERIFY(popup.isVisible());
        QCOMPARE(popup.getPopupOpacity(), 0.5F);
        popup.setPopupOpacity(0.0F);
        popup.hide();
        QVERIFY(!popup.isVisible());
    }

    void showAgainWhileFadingOutRestarts()
    {
        Popup popup(nullptr, nullptr, 20, 400, 300, false);
        popup.show();
        QTRY_COMPARE(popup.getPopupOpacity(), 1.0F);
        popup.hideAnimation();
        QTRY_VERIFY(popup.getPopupOpacity() < 0.9F);
        popup.show();
        QCOMPARE(popup.getPopupOpacity(), 0.0F);
        QTRY_COMPARE(popup.getPopupOpacity(), 1.0F);
        // It stays for the full display time again.
        QTest::qWait(150);
        QCOMPARE(popup.getPopupOpacity(), 1.0F);
        QTRY_VERIFY(!popup.isVisible());
    }

    void anchoredGeometry()
    {
        Window w;
        QVERIFY(QTest::qWaitForWindowExposed(&w.window));
        Popup notification(&w.window, w.anchor, 10, 10, 10000, false);
        notification.setPopupText(0, QStringLiteral("Note"));
        const int ownHeight = notification.height();
        notification.show();
        QCOMPARE(notification.pos(), w.anchor->mapToGlobal(QPoint(0, 0)));
        QCOMPARE(notification.width(), w.anchor->width());
        QCOMPARE(notification.height(), ownHeight);

        Popup filling(&w.window, w.anchor, 10, 10, 10000, true);
        filling.show();
        QCOMPARE(filling.geometry(), QRect(w.anchor->mapToGlobal(QPoint(0, 0)), w.anchor->size()));
    }

    void freeStandingSitsInTheLowerRightCorner()
    {
        Popup popup(nullptr, nullptr, 10, 10, 10000, false);
        popup.setPopupText(0, QStringLiteral("free"));
        popup.show();
        const QRect available = popup.screen()->availableGeometry();
        QCOMPARE(popup.geometry().right(), available.right() - Popup::kScreenMargin);
        QCOMPARE(popup.geometry().bottom(), available.bottom() - Popup::kScreenMargin);
    }

    void doesNotTakeTheFocus()
    {
        Window w;
        w.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        Popup popup(&w.window, w.anchor, 10, 10, 10000, true);
        QVERIFY(popup.testAttribute(Qt::WA_ShowWithoutActivating));
        QVERIFY(popup.windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(popup.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        popup.show();
        QTRY_COMPARE(QGuiApplication::focusWindow(), w.window.windowHandle());
        QVERIFY(popup.windowHandle()->flags().testFlag(Qt::WindowDoesNotAcceptFocus));
    }

    void stateWidgetStartsWithNoUsb()
    {
        StateWidget widget;
        widget.show();
        QVERIFY(widget.labelStateDisconnected()->isEnabled());
        QVERIFY(widget.labelStateDisconnected()->isVisible());
        QCOMPARE(widget.labelStateDisconnected()->text(), QStringLiteral("NO USB"));
        for (QLabel *label : {widget.labelStateReady(), widget.labelStateStart(), widget.labelStateRoutine(),
                              widget.labelStateReview()}) {
            QVERIFY(label->isVisible());
            QVERIFY(!label->isEnabled());
        }
        QVERIFY(!widget.labelStateDiagnostic()->isVisible());
        QVERIFY(widget.labelStateDiagnostic()->sizePolicy().retainSizeWhenHidden());
        QCOMPARE(widget.labelStateDiagnostic()->text(), QStringLiteral("DIAGNOSIS"));
    }

    void statusLightFollowsItsProperty()
    {
        StatusLight light;
        QCOMPARE(light.status(), QStringLiteral("unknown"));
        light.setStatus(QStringLiteral("failed"));
        QCOMPARE(light.property("status").toString(), QStringLiteral("failed"));
        QCOMPARE(light.size(), QSize(12, 12));
    }
};

OVRA_TEST_GUI_MAIN(TestPopup)
#include "tst_popup.moc"
