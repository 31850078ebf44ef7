// Tests of the forwarding to the outside library, against a stand-in that records every call.
#pragma once
#include "reader_fixture.h"
#include "state.h"
#include "velsor/binding.h"
#include "velsor_standin.h"

#include <cstdlib>
#include <functional>
#include <vector>

class Forwarding : public ReaderTest {
protected:
    void SetUp() override
    {
        ReaderTest::SetUp();
        setenv("TAVRIK_VELSOR", VELSOR_STANDIN, 1);
        tavrik::velsor::unload();
        standin::reset();
    }
    void TearDown() override
    {
        ReaderTest::TearDown();
        unsetenv("TAVRIK_VELSOR");
        tavrik::velsor::unload();
    }
    static void link(tavrik::LinkKind kind) { tavrik::state().link = kind; }
    static std::vector<std::uintptr_t> args(std::initializer_list<std::uintptr_t> a) { return a; }
    static std::uintptr_t address(const void *p) { return reinterpret_cast<std::uintptr_t>(p); }

    // An export that hands its call to one ordinal: the arguments before the first pointer
    // arrive as given, and Velsor's result comes back unchanged.
    struct Handed {
        const char *name;
        std::function<TK_STATUS()> call;
        int ordinal;
        std::vector<std::uintptr_t> leading;
    };
    static void expectHanded(const std::vector<Handed> &cases)
    {
        for (const Handed &c : cases) {
            standin::reset();
            standin::on(c.ordinal, [](const standin::Call &) { return 77; });
            EXPECT_EQ(c.call(), 77) << c.name;
            std::vector<standin::Call> calls;
            for (const standin::Call &call : standin::calls())
                if (call.ordinal != 108 && call.ordinal != 109) calls.push_back(call);
            ASSERT_EQ(calls.size(), 1u) << c.name;
            EXPECT_EQ(calls[0].ordinal, c.ordinal) << c.name;
            const auto &got = calls[0].args;
            ASSERT_GE(got.size(), c.leading.size()) << c.name;
            EXPECT_EQ(std::vector<std::uintptr_t>(got.begin(), got.begin() + c.leading.size()),
                      c.leading)
                << c.name;
        }
    }
};
