#include "app/App.h"
#include "app/Display.h"

int main(int argc, char *argv[])
{
    const std::unique_ptr<QApplication> application = display::open(argc, argv);
    if (!application)
        return 1;
    return app::run(*application);
}
