// Entry point of VeldrianRGB.exe.
#include "app/HalcyApp.h"

namespace {
CHalcyApp theApp;
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    return theApp.Run(instance);
}
