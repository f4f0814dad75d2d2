// Start-up time: the program body as it runs for a user (application, real platform
// services, the one window), timed from process start to the window's first paint.
//
// The start is taken from BENCH_T0_US (microseconds since the epoch, set by the runner just
// before it starts this program) or else from the process start time the kernel records.
// Prints "startup_ms: N ms" (first paint) and "startup_show_ms: N ms" (show event), then exits.
// A message box raised while starting is closed at once and counted, as no one is there to
// press its button.
#include "Unit1.h"
#include "platform/QtPlatform.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QFont>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

double nowSinceEpochUs()
{
    using namespace std::chrono;
    return static_cast<double>(duration_cast<microseconds>(system_clock::now().time_since_epoch()).count());
}

// Microseconds since the epoch at which this process started, or a negative value.
double processStartUs()
{
    if (const char *given = std::getenv("BENCH_T0_US"))
        return std::atof(given);
    // Fallback: the kernel's start time in clock ticks since boot (10 ms resolution).
    QFile stat(QStringLiteral("/proc/self/stat"));
    QFile uptime(QStringLiteral("/proc/uptime"));
    if (!stat.open(QIODevice::ReadOnly) || !uptime.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    const double startTicks = fields.value(19).toDouble(); // field 22 of the whole line
    const double upSeconds = uptime.readAll().split(' ').value(0).toDouble();
    const double ticksPerSecond = static_cast<double>(sysconf(_SC_CLK_TCK));
    return nowSinceEpochUs() - (upSeconds - startTicks / ticksPerSecond) * 1e6;
}

class FirstFrame : public QObject
{
public:
    double startUs = 0;
    double showMs = -1;
    double paintMs = -1;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && showMs < 0)
            showMs = (nowSinceEpochUs() - startUs) / 1000.0;
        if (event->type() == QEvent::Paint && paintMs < 0) {
            paintMs = (nowSinceEpochUs() - startUs) / 1000.0;
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    FirstFrame frame;
    frame.startUs = processStartUs();

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Project1"));
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Liberation Sans Narrow"),
                                QStringLiteral("Nimbus Sans Narrow")});

    int boxesClosed = 0;
    QTimer dismiss;
    QObject::connect(&dismiss, &QTimer::timeout, [&] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            ++boxesClosed;
            modal->close();
        }
    });
    dismiss.start(0);

    QTemporaryDir dir;
    QtPlatform platform;
    TForm1 form(platform, dir.filePath(QStringLiteral("iphist.dat")));
    form.installEventFilter(&frame);
    form.show();
    QTimer::singleShot(10000, &application, &QCoreApplication::quit);
    QApplication::exec();

    if (frame.startUs < 0 || frame.paintMs < 0) {
        std::fprintf(stderr, "bench_startup: no start time or no first paint\n");
        return 1;
    }
    std::printf("startup_ms: %.1f ms\n", frame.paintMs);
    std::printf("startup_show_ms: %.1f ms\n", frame.showMs);
    if (boxesClosed > 0)
        std::fprintf(stderr, "  [start-up raised %d message box(es), closed unseen]\n", boxesClosed);
    return 0;
}
