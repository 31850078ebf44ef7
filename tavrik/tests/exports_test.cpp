// Every function the public header declares is exported by the shared library.
#include <dlfcn.h>

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> declaredFunctions()
{
    std::ifstream in(TAVRIK_HEADER);
    std::stringstream text;
    text << in.rdbuf();
    const std::string header = text.str();
    static const std::regex declaration(R"(TK_API[^;(]*\b(TK_\w+)\s*\()");
    std::vector<std::string> names;
    for (std::sregex_iterator it(header.begin(), header.end(), declaration), end; it != end; ++it)
        names.push_back((*it)[1]);
    return names;
}

TEST(Exports, EveryDeclaredFunctionIsInTheSharedLibrary)
{
    const auto names = declaredFunctions();
    ASSERT_GT(names.size(), 50u) << "the header was not read";
    void *lib = dlopen(TAVRIK_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(lib, nullptr) << dlerror();
    for (const std::string &name : names) EXPECT_NE(dlsym(lib, name.c_str()), nullptr) << name;
    // Internals stay hidden.
    EXPECT_EQ(dlsym(lib, "_ZN6tavrik5stateEv"), nullptr);
    dlclose(lib);
}

}  // namespace
