#pragma once

#include <QString>
#include <QTemporaryDir>
#include <QtTest>

namespace ovra::test {

// Points the settings store, the application data and the temporary
// locations of this process at a fresh directory before anything reads them,
// so tests never see the operator's configuration nor each other's.
void isolateProcess();

// Removes the settings file so the next load starts from the defaults, but
// for the tutorials: they stay switched off, so that no window under test
// opens them when it is first activated.
void clearSettings();
// Every setting back to its default, tutorials included; the outbox is
// emptied.
void clearAllSettings();
// Switches the tutorials shown at start-up off in the settings store.
void switchOffStartupTutorials();

// While it exists, no file of this process can grow beyond the given size,
// as on a full disk: a write past it fails (EFBIG) instead of stopping the
// process.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    qint64 m_previous = -1;
    void (*m_previousHandler)(int) = nullptr;
};

// The source tree (for fixtures) and the build tree (for built programs).
QString sourceDir();
QString binaryDir();

} // namespace ovra::test

// Test entry points with isolated locations; they replace QTEST_MAIN and
// friends.
#define OVRA_TEST_MAIN_IMPL(TestObject, AppType)                                                   \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        ovra::test::isolateProcess();                                                              \
        AppType app(argc, argv);                                                                   \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                   \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }

#define OVRA_TEST_CORE_MAIN(TestObject) OVRA_TEST_MAIN_IMPL(TestObject, QCoreApplication)
#define OVRA_TEST_GUI_MAIN(TestObject) OVRA_TEST_MAIN_IMPL(TestObject, QApplication)
