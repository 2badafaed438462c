// A shared library that loads but exports neither of the home screen's badge functions.
extern "C" int SBSomethingElse() { return 0; }
