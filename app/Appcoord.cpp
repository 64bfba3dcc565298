#include "app/Application.h"
#include "app/Mainform.h"
#include "widgets/Messageboxes.h"

#include <exception>

int main(int argc, char* argv[])
{
    if (!TApplication::HasGraphicalSession(argc, argv))
        return 1;
    TApplication application(argc, argv);
    // A failure while the program starts is shown like any other error;
    // the program then ends quietly.
    try {
        TMainForm mainForm(TApplication::ProgramFilePath());
        mainForm.show();
        return application.exec();
    } catch (const std::exception& error) {
        MessageBoxes::ShowError(nullptr, QString::fromUtf8(error.what()));
    } catch (...) {
        MessageBoxes::ShowError(nullptr, QString());
    }
    return 0;
}
