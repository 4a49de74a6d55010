// Entry point of every test executable: COM is initialised for the main
// (user-interface) thread before doctest runs the cases.
#define DOCTEST_CONFIG_IMPLEMENT
#include <doctest/doctest.h>

#include <windows.h>
#include <ole2.h>

int main(int argc, char** argv)
{
    if (FAILED(OleInitialize(nullptr)))
        return 3;
    int result = 0;
    {
        doctest::Context context;
        context.applyCommandLine(argc, argv);
        result = context.run();
    }
    OleUninitialize();
    return result;
}
