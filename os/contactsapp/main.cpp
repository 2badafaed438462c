#include "ContactsAppDelegate.h"

int main(int argc, char** argv)
{
    return UIApplicationMain(argc, argv, [] { return std::make_unique<ContactsAppDelegate>(); });
}
