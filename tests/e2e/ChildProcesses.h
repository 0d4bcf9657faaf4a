#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace korvanta::test {

// The programs a test starts as separate processes; those still running at the end are killed.
class ChildProcesses {
public:
    ChildProcesses() = default;
    ChildProcesses(const ChildProcesses&) = delete;
    ChildProcesses& operator=(const ChildProcesses&) = delete;
    ~ChildProcesses()
    {
        for (const pid_t pid : running_) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
    }

    // Starts `program` with `arguments` and the environment `variables` ("NAME=value"; this
    // process's own when none are given), stdout to `out` and stderr to `err` where given. -1 when
    // it could not be started.
    pid_t Start(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                const std::optional<std::vector<std::string>>& variables, const std::filesystem::path& out,
                const std::filesystem::path& err)
    {
        std::vector<std::string> texts = {program.string()};
        texts.insert(texts.end(), arguments.begin(), arguments.end());
        std::vector<std::string> environment = variables.value_or(std::vector<std::string>{});
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        if (!out.empty())
            posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (!err.empty())
            posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        std::vector<char*> argv = Pointers(texts);
        std::vector<char*> envp = Pointers(environment);
        pid_t pid = -1;
        const int failed =
            posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), variables ? envp.data() : environ);
        posix_spawn_file_actions_destroy(&actions);
        if (failed != 0) {
            return -1;
        }
        running_.push_back(pid);
        return pid;
    }

    // The exit status of `pid` after `signal` (none: it ends by itself); -1 when a signal ended it
    // or it did not end within `limit`.
    int Wait(pid_t pid, int signal = 0, std::chrono::seconds limit = std::chrono::seconds(30))
    {
        if (signal != 0) {
            ::kill(pid, signal);
        }
        const auto deadline = std::chrono::steady_clock::now() + limit;
        int status = 0;
        while (::waitpid(pid, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                return -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        std::erase(running_, pid);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // Whether `pid` has ended (and is then no longer counted as running).
    bool Ended(pid_t pid)
    {
        if (::waitpid(pid, nullptr, WNOHANG) != pid) {
            return false;
        }
        std::erase(running_, pid);
        return true;
    }

private:
    static std::vector<char*> Pointers(std::vector<std::string>& texts)
    {
        std::vector<char*> pointers;
        for (std::string& text : texts) {
            pointers.push_back(text.data());
        }
        pointers.push_back(nullptr);
        return pointers;
    }

    std::vector<pid_t> running_;
};

}  // namespace korvanta::test
