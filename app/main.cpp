#include "app/CSonvexApp.h"

int main(int argc, char** argv) {
    CSonvexApp application(argc, argv);
    return application.Run();
}
