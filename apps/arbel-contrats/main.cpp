#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle("ARBELDONE - Contrats des aidants");
    window.setCentralWidget(new QLabel("Contrats des aidants"));
    window.resize(900, 600);
    const QStringList args = app.arguments();
    int at = args.indexOf("--screenshot");
    if (at >= 0 && at + 1 < args.size()) {
        window.show();
        app.processEvents();
        return window.grab().save(args[at + 1]) ? 0 : 1;
    }
    window.show();
    return app.exec();
}
