// main() for the test programs without an interface: the tests, then the background work ends
// before the process's statics go.

#include <gtest/gtest.h>

#include "Platform/Dispatch/BackgroundWork.h"

int main(int argc, char** argv) {
    const dispatch::BackgroundWorkScope backgroundWork;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
