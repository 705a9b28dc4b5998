// Qt tests need an application object; they run on the offscreen platform.
#include <QApplication>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// A show that ends asks the application to quit, and from then on no event loop of the process
// would run (QSignalSpy::wait would return at once). One pass of the application's own loop
// after every test clears that, so a test's result does not depend on the tests before it.
class ClearQuitAfterEachTest final : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override {
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        QCoreApplication::exec();
    }
};

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new ClearQuitAfterEachTest);
    return RUN_ALL_TESTS();
}
