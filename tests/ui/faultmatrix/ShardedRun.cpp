#include "ShardedRun.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "SimProcess.h"
#include "WholeFile.h"

extern char** environ;

namespace tavrin::testing {
namespace {

constexpr const char* kOption = "--processes=";

std::vector<char*> PointersTo(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (auto& text : texts) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

}  // namespace

int RunAsShards(int argc, char** argv) {
    int processes = 1;
    std::vector<std::string> args;
    for (int i = 0; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind(kOption, 0) == 0) {
            processes = std::atoi(arg.c_str() + std::string(kOption).size());
        } else {
            args.push_back(arg);
        }
    }
    if (processes <= 1) {
        return -1;
    }
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    args[0] = self;
    ScratchDir scratch;
    std::vector<pid_t> children;
    for (int shard = 0; shard < processes; ++shard) {
        std::vector<std::string> env;
        for (char** e = environ; *e != nullptr; ++e) {
            const std::string entry = *e;
            if (entry.rfind("GTEST_TOTAL_SHARDS=", 0) != 0 &&
                entry.rfind("GTEST_SHARD_INDEX=", 0) != 0) {
                env.push_back(entry);
            }
        }
        env.push_back("GTEST_TOTAL_SHARDS=" + std::to_string(processes));
        env.push_back("GTEST_SHARD_INDEX=" + std::to_string(shard));
        const std::string out = scratch.File("shard" + std::to_string(shard));
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
        auto argvOut = PointersTo(args);
        auto envOut = PointersTo(env);
        pid_t pid = -1;
        const int rc =
            ::posix_spawn(&pid, self.c_str(), &actions, nullptr, argvOut.data(), envOut.data());
        posix_spawn_file_actions_destroy(&actions);
        if (rc != 0) {
            std::cerr << "cannot start shard " << shard << "\n";
            pid = -1;
        }
        children.push_back(pid);
    }
    bool allPassed = true;
    for (int shard = 0; shard < processes; ++shard) {
        int status = 0;
        if (children[shard] <= 0 || ::waitpid(children[shard], &status, 0) < 0 ||
            !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            allPassed = false;
        }
        std::cout << "=== shard " << shard + 1 << " of " << processes << " ===\n"
                  << ReadWholeFile(scratch.File("shard" + std::to_string(shard))) << std::flush;
    }
    std::cout << (allPassed ? "all shards passed" : "A SHARD FAILED") << std::endl;
    return allPassed ? 0 : 1;
}

}  // namespace tavrin::testing
