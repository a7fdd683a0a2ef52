#!/usr/bin/env python3
"""Every command the project's shell scripts run (also through helper functions, as in
`e2e_spawn openbox`) comes from a package scripts/install-deps.sh lists for them or one
Debian always has. Usage: package_lists.py SOURCE_DIR"""
import functools
import glob
import json
import os
import re
import shutil
import subprocess
import sys

root = sys.argv[1]
PATH = "/usr/sbin:/usr/bin:/sbin:/bin"
WRAPPERS = {"exec", "command", "timeout", "env", "nice", "nohup", "xargs", "setpriv",
            "dbus-run-session", "strace", "stdbuf", "bash", "sh"}
BUILTINS = set(subprocess.run(["bash", "-c", "compgen -b; compgen -k"], capture_output=True,
                              text=True).stdout.split())


def run(*command, **options):
    return subprocess.run(command, capture_output=True, text=True, **options)


def literal(word, tail=False):
    """The word's text when it holds no expansion (else None); with `tail`, the literal end
    of a word such as "$(dirname "$0")/lib/session.sh"."""
    parts = word.get("Parts", [])
    if tail:
        part = (parts[-1:] or [{}])[0]
        if part.get("Type") == "DblQuoted":
            return literal(part, True)
        return part.get("Value", "") if part.get("Type") in ("Lit", "SglQuoted") else ""
    text = ""
    for part in parts:
        if part["Type"] in ("Lit", "SglQuoted"):
            text += part.get("Value", "")
        elif part["Type"] == "DblQuoted" and (inner := literal(part)) is not None:
            text += inner
        else:
            return None
    return text


@functools.cache
def parse(path):
    """The script's functions (name -> calls) and its calls outside them."""
    with open(path, "rb") as f:
        tree = json.loads(subprocess.run(["shfmt", "--tojson"], input=f.read(),
                                         capture_output=True, check=True).stdout)
    functions, calls = {}, []

    def walk(node, into):
        if isinstance(node, list):
            for item in node:
                walk(item, into)
        elif isinstance(node, dict):
            if node.get("Type") == "FuncDecl":
                walk(node["Body"], functions.setdefault(node["Name"]["Value"], []))
                return
            if node.get("Type") == "CallExpr" and node.get("Args"):
                call = [literal(w) for w in node["Args"]]
                if call[0] in ("source", ".") and len(call) > 1:
                    call[1] = literal(node["Args"][1], True)
                into.append(call)
            for value in node.values():
                walk(value, into)

    walk(tree, calls)
    return functions, calls


def sourced_file(script, args):
    """The repository file a `source` line names (by its literal tail)."""
    end = (args[1] or "").lstrip("/") if len(args) > 1 else ""
    places = (os.path.join(root, end), os.path.join(os.path.dirname(script), end))
    return next((p for p in places if end and os.path.isfile(p)), None)


def commands_of(entry):
    """External commands the script `entry` can run, with the script that runs each: the
    script, the files it sources and the project scripts it runs by path."""
    files, todo = [], [entry]
    while todo:
        path = todo.pop()
        if path not in files:
            files.append(path)
            for args in parse(path)[1] + [c for f in parse(path)[0].values() for c in f]:
                name = args[0] or ""
                if name in ("source", ".") and (lib := sourced_file(path, args)):
                    todo.append(lib)
                elif name.endswith(".sh") and os.path.isfile(os.path.join(root, name)):
                    todo.append(os.path.join(root, name))
    functions = {n: body for f in files for n, body in parse(f)[0].items()}
    pending = [(f, c) for f in files for c in parse(f)[1]]
    seen_funcs, found = set(), {}
    while pending:
        script, args = pending.pop()
        name = args[0]
        if name is None or "/" in name or name in ("source", "."):
            continue
        hand_over = name in WRAPPERS or name in BUILTINS or name in functions
        if name in functions and name not in seen_funcs:
            seen_funcs.add(name)
            pending.extend((script, c) for c in functions[name])
        elif name not in functions and name not in BUILTINS:
            found.setdefault(name, script)
        if hand_over:
            pending.extend((script, [arg]) for arg in args[1:]
                           if arg and "/" not in arg and not arg.startswith("-")
                           and (arg in functions or shutil.which(arg, path=PATH)))
    return found


def packages_of(commands):
    """Each command's package (None when no installed package has it), found in one query:
    dpkg reads every file list for each query, which takes seconds on a busy machine."""
    candidates = {}
    for command in commands:
        if path := shutil.which(command, path=PATH):
            candidates[command] = (path, os.path.realpath(path), path.replace("/usr/", "/", 1))
    owner = {}
    paths = sorted({p for places in candidates.values() for p in places})
    for line in run("dpkg-query", "-S", *paths).stdout.splitlines() if paths else ():
        packages, _, path = line.partition(": ")
        if not line.startswith("diversion "):
            owner.setdefault(path, packages.split(",")[0].strip())
    return {c: next((owner[p] for p in candidates.get(c, ()) if p in owner), None)
            for c in commands}


# What the project builds itself (`mirevo`, the test tools) is the project's, also where its
# installed package puts the command on the PATH.
OWN_COMMANDS = {match.group(1)
                for path in glob.glob(os.path.join(root, "**/CMakeLists.txt"), recursive=True)
                if not os.path.relpath(path, root).startswith("build")
                for match in re.finditer(r"add_executable\(\s*([\w.+-]+)", open(path).read())}

# Packages Debian always has, and each package's dependencies.
always, depends = set(), {}
for line in run("dpkg-query", "-W", "-f", "${Package}\t${Essential}\t${Priority}\t${Depends}, "
                "${Pre-Depends}\n", check=True).stdout.splitlines():
    name, essential, priority, deps = line.split("\t")
    if essential == "yes" or priority == "required":
        always.add(name)
    depends[name] = [[alt.split()[0].split(":")[0] for alt in dep.split("|")]
                     for dep in deps.split(",") if dep.strip()]


def closure(packages):
    result, todo = set(), list(packages)
    while todo:
        p = todo.pop()
        if p not in result:
            result.add(p)
            todo.extend(a for alternatives in depends.get(p, []) for a in alternatives
                        if a in depends)
    return result


scopes = {"build": ["scripts/build.sh"], "run": ["scripts/run.sh"],
          "package": ["scripts/package.sh"],
          "test": ["scripts/test.sh", ".ci/run"] + sorted(
              os.path.relpath(p, root) for pattern in ("tests/**/*.sh", "bench/*.sh")
              for p in glob.glob(os.path.join(root, pattern), recursive=True))}
found = {kind: [(entry, command, script) for entry in entries
                for command, script in sorted(commands_of(os.path.join(root, entry)).items())
                if command not in OWN_COMMANDS]
         for kind, entries in scopes.items()}
package_of = packages_of({command for runs in found.values() for _, command, _ in runs})
failures = []
for kind, runs in found.items():
    listed = run(os.path.join(root, "scripts/install-deps.sh"), "--list", kind, check=True)
    allowed = closure(listed.stdout.split()) | closure(always)
    for entry, command, script in runs:
        if (package := package_of[command]) not in allowed:
            failures.append(f"{entry}: {command} (run in {os.path.relpath(script, root)}) "
                            f"comes from {package or 'no installed package'}, not from the "
                            f"{kind} list")
print("\n".join(failures) or "every command comes from a listed package")
sys.exit(1 if failures else 0)
