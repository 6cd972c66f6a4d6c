#!/usr/bin/python3
"""Checks that every command the project's shell scripts call comes from a
Debian package that the calling script installs.

    check_script_packages.py [--verbose] SCRIPTS_DIR [CMAKE_SOURCE_DIR]

Each script in SCRIPTS_DIR that no other script sources is an entry point.
Its commands are the ones it calls itself, those of the library functions it
calls, and, when it configures a CMake build, the compilers, emulator and
programs that build looks for. Each command must be installed here and be
owned by a package in the script's `ensure_packages` list (or one of their
dependencies), or by a package every Debian system has. Run after the
scripts have installed their packages: that is the state a user is in.
"""

import os
import re
import shlex
import shutil
import subprocess
import sys
from pathlib import Path

SEPARATORS = {";", ";;", "&", "&&", "|", "||", "|&", "(", ")", "{", "}"}
LEADING_KEYWORDS = {"if", "then", "else", "elif", "while", "until", "do", "time"}
CLOSING_KEYWORDS = {"fi", "done", "esac", "in"}
# Where Debian packages put programs; a program found only elsewhere
# (/usr/local, a version manager's shims) is not one a package provides.
PACKAGE_PATH = "/usr/sbin:/usr/bin:/sbin:/bin"
# Commands that run the command after their own options.
WRAPPERS = {"timeout", "exec", "command", "env", "sudo", "nice", "nohup", "xargs"}
# Commands whose string argument is itself shell text.
SHELL_TEXT_ARGUMENT = {"trap", "eval"}


def strip_comments(text):
    lines = []
    for line in text.replace("\\\n", " ").splitlines():
        lines.append(re.sub(r"(^|\s)#.*$", "", line))
    return "\n".join(lines)


def tokens_of(text):
    lexer = shlex.shlex(strip_comments(text).replace("\n", " ; "), posix=True,
                        punctuation_chars=True)
    lexer.whitespace_split = True
    lexer.commenters = ""
    try:
        return list(lexer)
    except ValueError as error:
        raise SystemExit(f"cannot read shell text: {error}")


def substitutions_in(token):
    """The shell text of each $(...) inside a word."""
    found = []
    start = token.find("$(")
    while start >= 0:
        depth, end = 0, start + 1
        while end < len(token):
            if token[end] == "(":
                depth += 1
            elif token[end] == ")":
                depth -= 1
                if depth == 0:
                    break
            end += 1
        found.append(token[start + 2:end])
        start = token.find("$(", end)
    return found


def command_words(text):
    """The words in command position of shell `text`, nested ones included."""
    words = []
    tokens = tokens_of(text)
    at_start, in_for, case_patterns = True, False, False
    wrapped, in_array = None, False
    for index, token in enumerate(tokens):
        if in_array:
            in_array = token != ")"
            continue
        if token.endswith("=") and index + 1 < len(tokens) and tokens[index + 1] == "(":
            in_array = True  # name=( words ), an array, not a subshell
            continue
        for inner in substitutions_in(token):
            words += command_words(inner)
        if in_for:
            # for NAME in WORDS: only a $( ... ) among the words runs a command.
            if token == "(" and tokens[index - 1] == "$":
                in_for, at_start = False, True
                continue
            in_for = token != "do"
            at_start = not in_for
            continue
        if case_patterns:
            if token == ")":
                case_patterns, at_start = False, True
            elif token == "esac":
                case_patterns = False
            continue
        if token == "case":
            case_patterns = None  # until "in"
            continue
        if case_patterns is None:
            if token == "in":
                case_patterns = True
            continue
        if token == ";;":
            case_patterns, at_start = True, False
            continue
        if token == "!" and at_start:
            continue
        if token in SEPARATORS or token in LEADING_KEYWORDS:
            at_start, wrapped = True, None
            continue
        if token == "for":
            in_for = True
            continue
        if token.startswith("-") and at_start:
            at_start = False  # an option after a command given by a variable
            continue
        if not at_start or token in CLOSING_KEYWORDS:
            if wrapped == "timeout" and not token.startswith("-") and re.fullmatch(r"[\d.]+[smhd]?", token):
                at_start, wrapped = True, None
            continue
        if re.match(r"[A-Za-z_]\w*(\[[^]]*\])?\+?=", token) or token.startswith("$"):
            continue  # an assignment, or a command through a variable
        words.append(token)
        at_start = False
        if token in SHELL_TEXT_ARGUMENT and index + 1 < len(tokens):
            words += command_words(tokens[index + 1])
        if token in WRAPPERS:
            wrapped = token
            at_start = token != "timeout"
    return words


def function_bodies(text):
    """name -> body of each function defined at the top level of `text`."""
    bodies, name, body = {}, None, []
    for line in text.splitlines():
        match = re.match(r"^([A-Za-z_][\w-]*)\s*\(\)\s*\{(.*)$", line)
        one_line = match and re.match(r"^(.*);\s*\}\s*$", match.group(2))
        if one_line:
            bodies[match.group(1)] = one_line.group(1)
        elif match:
            name, body = match.group(1), []
        elif name and line.startswith("}"):
            bodies[name] = "\n".join(body)
            name = None
        elif name:
            body.append(line)
    return bodies


def top_level_text(text):
    bodies = function_bodies(text)
    kept, skipping = [], False
    for line in text.splitlines():
        if re.match(r"^([A-Za-z_][\w-]*)\s*\(\)\s*\{", line):
            skipping = not re.search(r";\s*\}\s*$", line)
        elif skipping and line.startswith("}"):
            skipping = False
        elif not skipping:
            kept.append(line)
    return "\n".join(kept), bodies


def arrays_in(text):
    return {m.group(1): m.group(2).split()
            for m in re.finditer(r"^\s*([A-Za-z_]\w*)=\(([^)]*)\)", strip_comments(text), re.M)}


def installed_packages_of(words_after, arrays):
    packages = []
    for word in words_after:
        match = re.fullmatch(r"\$\{(\w+)\[@\]\}", word)
        packages += arrays.get(match.group(1), []) if match else [word]
    return packages


def ensure_packages_arguments(text):
    tokens = tokens_of(text)
    arguments = []
    for index, token in enumerate(tokens):
        if token != "ensure_packages":
            continue
        for word in tokens[index + 1:]:
            if word in SEPARATORS:
                break
            arguments.append(word)
    return arguments


def cmake_programs(source_dir, configure_line):
    """What the CMake build that `configure_line` sets up runs: its
    compilers, its emulator and the programs its files look for."""
    if "TOOLCHAIN_FILE" in configure_line:
        parts = ["cmake/Windows.cmake", "tests/e2e"]
    elif re.search(r"-DQB_FUZZ=ON", configure_line):
        parts = ["cmake/Fuzz.cmake", "tests/fuzz"]
    else:
        parts = ["cmake/Native.cmake", "tests/unit", "tests/setup", "bench"]
    programs = ["ctest"]
    files = [source_dir / "CMakeLists.txt"]
    pending = [source_dir / part for part in parts]
    while pending:
        path = pending.pop()
        if path.is_dir():
            pending += sorted(path.rglob("*.cmake")) + sorted(path.rglob("CMakeLists.txt"))
        elif path.exists() and path not in files:
            files.append(path)
            # What this file includes belongs to the same build.
            for match in re.finditer(r"\b(include|add_subdirectory)\s*\(\s*([^\s)]+)",
                                     path.read_text()):
                name = match.group(2).replace("${CMAKE_SOURCE_DIR}/", "")
                if "$" not in name and not name.startswith("/"):
                    pending.append(source_dir / name)
    for file in files:
        for match in re.finditer(r"find_program\s*\(\s*\w+\s+([^)]*)\)", file.read_text()):
            arguments = match.group(1).split()
            names = arguments[arguments.index("NAMES") + 1:] if "NAMES" in arguments else arguments[:1]
            for name in names:
                if name.isupper():
                    break
                programs.append(name)
    if "TOOLCHAIN_FILE" in configure_line:
        toolchain = (source_dir / "cmake/toolchain-mingw-w64-x86_64.cmake").read_text()
        variables = dict(re.findall(r"set\((\w+)\s+([^\s)]+)\)", toolchain))
        for name in ("CMAKE_C_COMPILER", "CMAKE_CXX_COMPILER", "CMAKE_RC_COMPILER",
                     "CMAKE_CROSSCOMPILING_EMULATOR"):
            value = re.sub(r"\$\{(\w+)\}", lambda m: variables.get(m.group(1), ""), variables[name])
            programs.append(value)
    else:
        compiler = re.search(r"-DCMAKE_CXX_COMPILER=(\S+)", configure_line)
        programs.append(compiler.group(1) if compiler else "c++")
    return programs


def run(arguments):
    return subprocess.run(arguments, capture_output=True, text=True, check=False)


def link_chain(path):
    """`path` and each file its symbolic links lead to (alternatives), each
    also by its /bin name, which dpkg knows on a merged /usr."""
    chain, seen = [], set()
    while path and path not in seen:
        seen.add(path)
        chain += [path, re.sub(r"^/usr/(s?bin)/", r"/\1/", path)]
        if not os.path.islink(path):
            break
        path = os.path.join(os.path.dirname(path), os.readlink(path))
    return chain


def package_owners(paths):
    """path -> owning package, for those of `paths` that dpkg knows; one call."""
    owners = {}
    if paths:
        for line in run(["dpkg", "-S"] + sorted(set(paths))).stdout.splitlines():
            packages, _, path = line.partition(": ")
            owners.setdefault(path.strip(), packages.split(",")[0].strip())
    return owners


def owning_package(path, owners):
    return next((owners[link] for link in link_chain(path) if link in owners), None)


def is_base_package(package):
    answer = run(["dpkg-query", "-W", "-f=${Essential} ${Priority}", package])
    return answer.stdout.split() in (["yes", "required"], ["no", "required"]) or \
        answer.stdout.startswith("yes")


def dependency_graph(packages):
    """package -> the packages it depends on, for `packages` and everything
    they depend on, from one apt-cache call."""
    graph, node = {}, None
    if not packages:
        return graph
    answer = run(["apt-cache", "depends", "--recurse", "--installed", "--no-recommends",
                  "--no-suggests", "--no-conflicts", "--no-breaks", "--no-replaces",
                  "--no-enhances"] + sorted(set(packages)))
    for line in answer.stdout.splitlines():
        if not line.startswith(" "):
            node = line.strip().strip("<>").split(":")[0]
            graph.setdefault(node, set())
        elif node and re.match(r"\s*\|?(Pre)?Depends:", line):
            graph[node].add(line.split(":", 1)[1].strip().strip("<>").split(":")[0])
    return graph


def dependency_closure(packages, graph):
    closure, pending = set(), list(packages)
    while pending:
        package = pending.pop()
        if package not in closure:
            closure.add(package)
            pending += graph.get(package, ())
    return closure


def script_requirements(text, library_functions, arrays, builtins, source_dir):
    """The external commands an entry script runs, through the library
    functions it calls and the CMake builds it configures, and the packages
    its ensure_packages calls install."""
    top, own_functions = top_level_text(text)
    functions = {**library_functions, **own_functions}
    pending, called, commands, seen_text = [top], set(), [], []
    while pending:
        body = pending.pop()
        seen_text.append(body)
        for word in command_words(body):
            if word in functions:
                if word not in called:
                    called.add(word)
                    pending.append(functions[word])
            else:
                commands.append(word)
    all_text = "\n".join(seen_text)
    for line in strip_comments(all_text).splitlines():
        if re.search(r"\bcmake\s+-S", line):
            commands += cmake_programs(source_dir, line)
    listed = installed_packages_of(ensure_packages_arguments(all_text),
                                   {**arrays, **arrays_in(text)})
    commands = sorted({command for command in commands
                       if command not in builtins and "/" not in command
                       and command not in functions})
    return commands, listed


def main():
    verbose = "--verbose" in sys.argv
    arguments = [argument for argument in sys.argv[1:] if argument != "--verbose"]
    scripts_dir = Path(arguments[0])
    source_dir = Path(arguments[1]) if len(arguments) > 1 else scripts_dir.parent
    scripts = {path.name: path.read_text() for path in sorted(scripts_dir.glob("*.sh"))}
    libraries = {name for name in scripts
                 if any(re.search(r"^\s*(source|\.)\s.*" + re.escape(name), text, re.M)
                        for other, text in scripts.items() if other != name)}
    library_functions, arrays = {}, {}
    for name in libraries:
        library_functions.update(function_bodies(scripts[name]))
        arrays.update(arrays_in(scripts[name]))
    builtins = set(run(["bash", "-c", "compgen -b; compgen -k"]).stdout.split())

    wanted = {}  # script -> (its commands, the packages it installs)
    for name, text in scripts.items():
        if name not in libraries:
            wanted[name] = script_requirements(text, library_functions, arrays, builtins,
                                               source_dir)
    all_commands = sorted({command for commands, _ in wanted.values() for command in commands})
    paths = {command: shutil.which(command, path=PACKAGE_PATH) for command in all_commands}
    owners = package_owners([link for path in paths.values() if path for link in link_chain(path)])
    graph = dependency_graph([package for _, listed in wanted.values() for package in listed])

    problems = []
    for name, (commands, listed) in wanted.items():
        provided = dependency_closure(listed, graph)
        for command in commands:
            path = paths[command]
            if path is None:
                problems.append(f"{name} calls {command}, which is not installed: "
                                "add the package that provides it to its ensure_packages list")
                continue
            package = owning_package(path, owners)
            if verbose:
                print(f"{name}: {command} <- {package}")
            if package is None:
                problems.append(f"{name} calls {command} ({path}), which no Debian package provides")
            elif package not in provided and not is_base_package(package):
                problems.append(f"{name} calls {command}, from package {package}, "
                                "which its ensure_packages list does not install")
    for problem in problems:
        print(problem)
    if problems:
        return 1
    print(f"every command of {', '.join(n for n in scripts if n not in libraries)} "
          "comes from a package its script installs")
    return 0


if __name__ == "__main__":
    sys.exit(main())
