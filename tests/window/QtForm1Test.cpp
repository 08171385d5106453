#include "window/qt/QtForm1.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRawFont>
#include <QTest>

#include "tests/fakes/FakeProfileFunctions.h"
#include "tests/fakes/FakeSystemClock.h"
#include "tests/window/StartFrameCases.h"
#include "window/FaceChoice.h"
#include "window/TabOrder.h"

namespace quicktock {
namespace {

constexpr const char* kSettingsPath = "/opt/quicktock/quicktock.ini";
const SettingsFiles kSettingsFiles{kSettingsPath, kSettingsPath};
using Saved = std::map<std::string, std::string>;

}  // namespace

class QtForm1Test : public QObject {
    Q_OBJECT

    struct Window {
        explicit Window(const Saved& saved = {}) {
            for (const auto& [key, value] : saved) {
                profile.Store(kSettingsPath, "Data", key, value);
            }
            form = std::make_unique<QtForm1>(Form1::Services{
                clock, iniFile, "/opt/quicktock/quicktock", kSettingsFiles, {}, "."});
            form->LoadAndShow();
        }
        template <typename W>
        W* Get(ControlId id) const {
            return qobject_cast<W*>(form->Widget(id));
        }

        FakeSystemClock clock{{2026, 12, 6, 8, 0, 0}};
        FakeProfileFunctions profile;
        IniFile iniFile{profile};
        std::unique_ptr<QtForm1> form;
    };

private slots:
    // Controls stay where they are laid out. In both languages each draws in the face it names,
    // which has every character it shows; every date and time fits the date-time labels, and
    // "240" the minutes box.
    void ControlsStayPutAndDrawWhatTheyShow() {
        Window w;
        const QRect exit = w.form->Widget(ControlId::cmdExit)->geometry();
        w.form->resize(100, 50);
        QCOMPARE(w.form->Widget(ControlId::cmdExit)->geometry(), exit);  // no control moves
        QVERIFY(!w.form->Widget(ControlId::chkLessThanNow)->isVisible());
        for (const bool english : {false, true}) {
            if (english) {
                w.form->Model().SetCheckValue(ControlId::chkLanguage, 0);
            }
            for (const Control& c : w.form->Model().Controls()) {
                QWidget* widget = w.form->Widget(c.id);
                if (widget == nullptr) {
                    continue;
                }
                QFont font = widget->font();
                QCOMPARE(QFontInfo(font).family(), font.family());
                font.setStyleStrategy(QFont::NoFontMerging);
                const QRawFont raw = QRawFont::fromFont(font);
                const bool dateTime =
                    c.id == ControlId::lblPresentTime || c.id == ControlId::lblEstimateTime;
                for (const std::string& shown :
                     dateTime ? FaceRequestFor(c, {}).texts : std::vector{c.caption}) {
                    const QString text = QString::fromStdString(shown);
                    for (const char32_t ch : text.toUcs4()) {
                        QVERIFY2(raw.supportsCharacter(ch), c.name);
                    }
                    QVERIFY2(
                        !dateTime || QFontMetricsF(font).horizontalAdvance(text) <= widget->width(),
                        c.name);
                }
            }
        }
        // "240" whole in the minutes box: it does not scroll when its cursor moves
        // to the end.
        auto* minutes = w.Get<QLineEdit>(ControlId::txtUntilMinutes);
        QCOMPARE(minutes->text(), QString("240"));
        const auto shownWithCursorAt = [minutes](int position) {
            minutes->setCursorPosition(position);
            return minutes->grab().toImage();
        };
        QCOMPARE(shownWithCursorAt(3), shownWithCursorAt(0));
    }

    // The focus starts on Exit and Tab follows the model's order; clicks, typing and the timer
    // reach the model.
    void KeysClicksTypingAndTheTimerReachTheModel() {
        Window w(Saved{{"chk10", " 2"}});
        QApplication::setActiveWindow(w.form.get());
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        std::vector<ControlId> order = TabOrder(w.form->Model().Controls());
        std::erase(order, ControlId::cmdNormal);  // disabled at start
        order.push_back(order.front());
        for (const ControlId id : order) {
            QCOMPARE(QApplication::focusWidget(), w.form->Widget(id));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QTRY_COMPARE_WITH_TIMEOUT(w.Get<QLabel>(ControlId::lblPresentTime)->text(),
                                  QString("2026/12/06 08:00:00"), 2500);
        auto* tenSeconds = w.Get<QCheckBox>(ControlId::chk10sec);
        QCOMPARE(tenSeconds->checkState(), Qt::PartiallyChecked);
        QTest::mouseClick(tenSeconds, Qt::LeftButton, {}, QPoint(6, 10));
        QCOMPARE(w.form->Model().ControlAt(ControlId::chk10sec).value, 1);
        QTest::mouseClick(w.Get<QPushButton>(ControlId::cmdAccel), Qt::LeftButton);
        QVERIFY(!w.form->Widget(ControlId::cmdAccel)->isEnabled());
        auto* hours = w.Get<QLineEdit>(ControlId::txtPlaybackHour);
        hours->selectAll();
        QTest::keyClicks(hours, "99999");
        QTest::mouseClick(w.Get<QPushButton>(ControlId::cmdPlayback), Qt::LeftButton);
        // The refusal opens beside the window, on its screen, and gives the focus
        // back.
        const QList<QMessageBox*> boxes = w.form->findChildren<QMessageBox*>();
        QCOMPARE(boxes.size(), 1);
        QVERIFY(QTest::qWaitForWindowActive(boxes[0]));
        QVERIFY(w.form->screen()->availableGeometry().contains(boxes[0]->frameGeometry()));
        QVERIFY(!boxes[0]->frameGeometry().intersects(w.form->frameGeometry()));
        boxes[0]->accept();
        QTRY_COMPARE(QApplication::focusWidget(), w.form->Widget(ControlId::cmdPlayback));
    }

    // Each settings file of the table opens the window with its frame, on the 800x600 screen.
    void OpensEachSettingsFileWithItsFrame() {
        for (const StartFrameCase& row : kStartFrameCases) {
            Saved saved;
            row.StoreKeys([&](const char* key, const char* text) { saved[key] = text; });
            Window w(saved);
            QTest::qWait(1200);  // the frame correction gives up after a second without a frame
            const QRect frame = w.form->frameGeometry();
            const std::array<int, 4> shown{frame.x(), frame.y(), frame.width(), frame.height()};
            const QSize area = w.form->screen()->availableGeometry().size();
            QVERIFY(shown ==
                    row.Expected(
                        shown, {frame.width() - w.form->width(), frame.height() - w.form->height()},
                        {area.width(), area.height()}));
        }
    }
};

}  // namespace quicktock

QTEST_MAIN(quicktock::QtForm1Test)
#include "QtForm1Test.moc"
