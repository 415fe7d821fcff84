// The yardstick of scripts/measure-startup.sh: the smallest Qt 6 Widgets
// program with a visible window (one label). Lumbra's start-up time, memory
// and CPU per key are compared against this program measured in the same run.
// Like any window shown at its natural size, it measures its text (and so
// loads the fonts) before it maps.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("Minimal Qt window"));
    label.setWindowTitle(QStringLiteral("minimal_window"));
    label.show();
    return QApplication::exec();
}
