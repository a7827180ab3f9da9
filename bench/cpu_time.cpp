// Runs a command and writes its processor time (user + system, in seconds, microsecond
// resolution), its peak memory in KiB, its exit status, its wall time (seconds) and its
// system time alone (seconds), one line, to FILE:
//   cpu_time FILE COMMAND [ARGS...]
// On a machine shared with other work the processor time of the command itself is the
// figure least disturbed; /usr/bin/time rounds it to hundredths.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "uso: cpu_time FICHERO ORDEN [ARGUMENTOS...]\n");
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child < 0) return 2;
    if (child == 0) {
        execvp(argv[2], argv + 2);
        std::perror(argv[2]);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child) return 2;
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double cpu = usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
                       (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    std::FILE* out = std::fopen(argv[1], "w");
    if (!out) return 2;
    const double system = usage.ru_stime.tv_sec + usage.ru_stime.tv_usec / 1e6;
    std::fprintf(out, "%.6f %ld %d %.6f %.6f\n", cpu, usage.ru_maxrss, code, wall, system);
    std::fclose(out);
    return code;
}
