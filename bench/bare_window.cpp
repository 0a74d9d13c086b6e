// The baseline of the start-up benchmark: an empty window, shown and gone at its first paint.
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace {
class QuitAtFirstPaint : public QObject
{
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        return QObject::eventFilter(watched, event);
    }
};
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    QuitAtFirstPaint quit;
    window.installEventFilter(&quit);
    window.resize(640, 720);
    window.show();
    return app.exec();
}
