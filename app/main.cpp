// Kelvor: the editor and converter for radio and antenna equipment data files.
#include "test_app.h"

#include <curl/curl.h>

int main(int argc, char** argv) {
    curl_global_init(CURL_GLOBAL_DEFAULT);
    int status = 1;
    {
        CTestApp app(argc, argv);
        if (app.InitInstance()) {
            status = CTestApp::exec();
        }
    }
    curl_global_cleanup();
    return status;
}
