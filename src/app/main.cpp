// Process entry of VantorKorb.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle("VantorKorb");
    window.show();
    return app.exec();
}
