// The desktop tests, on whatever platform QT_QPA_PLATFORM names (offscreen
// under ctest).
#include <QApplication>
#include <QTest>

#include "support/environment.h"

int runCameraListDlgTest(int argc, char** argv);
int runToolAppTest(int argc, char** argv);
int runNetConfigDlgTest(int argc, char** argv);
int runUpgradeDlgTest(int argc, char** argv);
int runCameraInfoDlgTest(int argc, char** argv);
int runSystemTrayTest(int argc, char** argv);
int runMessageBoxTest(int argc, char** argv);
int runDialogFitTest(int argc, char** argv);
int runCredentialsDlgTest(int argc, char** argv);

int main(int argc, char** argv) {
    lenscout::test::isolateUserSettings();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lenscout"));
    int failed = 0;
    failed += runCameraListDlgTest(argc, argv);
    failed += runToolAppTest(argc, argv);
    failed += runNetConfigDlgTest(argc, argv);
    failed += runUpgradeDlgTest(argc, argv);
    failed += runCameraInfoDlgTest(argc, argv);
    failed += runSystemTrayTest(argc, argv);
    failed += runMessageBoxTest(argc, argv);
    failed += runDialogFitTest(argc, argv);
    failed += runCredentialsDlgTest(argc, argv);
    return failed == 0 ? 0 : 1;
}
