#!/usr/bin/env python3
"""Every command the project's shell scripts run must come from a package that
scripts/install-deps.sh installs for them (or from a package Debian always has), so that
the README's commands work on a fresh machine. Scripts are read with shfmt's parser;
commands passed to helper functions (`e2e_spawn openbox`) count too.

Usage: package_lists.py SOURCE_DIR"""
import functools
import glob
import json
import os
import shutil
import subprocess
import sys

root = sys.argv[1]
PATH = "/usr/sbin:/usr/bin:/sbin:/bin"
WRAPPERS = {"exec", "command", "timeout", "env", "nice", "nohup", "xargs", "setpriv",
            "dbus-run-session", "strace", "stdbuf", "bash", "sh"}
BUILTINS = set(subprocess.run(["bash", "-c", "compgen -b; compgen -k"], capture_output=True,
                              text=True).stdout.split())


def literal(word):
    """The word's text when it holds no expansion, else None."""
    text = ""
    for part in word.get("Parts", []):
        if part["Type"] == "Lit":
            text += part.get("Value", "")
        elif part["Type"] == "SglQuoted":
            text += part.get("Value", "")
        elif part["Type"] == "DblQuoted" and (inner := literal(part)) is not None:
            text += inner
        else:
            return None
    return text


def tail(word):
    """The literal end of a word such as "$(dirname "$0")/lib/session.sh"."""
    last = word.get("Parts", [])[-1:] or [{}]
    part = last[0]
    if part.get("Type") == "DblQuoted":
        return tail(part)
    return part.get("Value", "") if part.get("Type") in ("Lit", "SglQuoted") else ""


def parse(path):
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
                body = functions.setdefault(node["Name"]["Value"], [])
                walk(node["Body"], body)
                return
            if node.get("Type") == "CallExpr" and node.get("Args"):
                call = [literal(w) for w in node["Args"]]
                if call[0] in ("source", ".") and len(call) > 1:
                    call[1] = tail(node["Args"][1])
                into.append(call)
            for value in node.values():
                walk(value, into)

    walk(tree, calls)
    return functions, calls


def sourced_file(script, args):
    """The repository file a `source` line names (by its literal tail)."""
    end = (args[1] or "").lstrip("/") if len(args) > 1 else ""
    for c in (os.path.join(root, end), os.path.join(os.path.dirname(script), end)):
        if end and os.path.isfile(c):
            return c
    name = os.path.basename(end)
    found = glob.glob(os.path.join(root, "**", name), recursive=True) if name.endswith(".sh") else []
    return found[0] if found else None


@functools.cache
def parse_cached(path):
    return parse(path)


def script_files(entry):
    """The entry script, the files it sources and the project scripts it runs by path."""
    files, todo = [], [entry]
    while todo:
        path = todo.pop()
        if path in files:
            continue
        files.append(path)
        for args in parse_cached(path)[1] + [c for f in parse_cached(path)[0].values() for c in f]:
            name = args[0] or ""
            if name in ("source", ".") and (lib := sourced_file(path, args)):
                todo.append(lib)
            elif name.endswith(".sh") and os.path.isfile(os.path.join(root, name)):
                todo.append(os.path.join(root, name))
    return files


def commands_of(entry):
    """External commands the script `entry` can run, with the script that runs each."""
    files = script_files(entry)
    functions = {n: body for f in files for n, body in parse_cached(f)[0].items()}
    pending = [(f, c) for f in files for c in parse_cached(f)[1]]
    seen_funcs, found = set(), {}
    while pending:
        script, args = pending.pop()
        name = args[0]
        if name is None or "/" in name or name in ("source", "."):
            continue
        hand_over = name in WRAPPERS or name in BUILTINS
        if name in functions:
            hand_over = True
            if name not in seen_funcs:
                seen_funcs.add(name)
                pending.extend((script, c) for c in functions[name])
        elif name not in BUILTINS:
            found.setdefault(name, script)
        if hand_over:
            for arg in args[1:]:
                if arg and "/" not in arg and not arg.startswith("-"):
                    if arg in functions or shutil.which(arg, path=PATH):
                        pending.append((script, [arg]))
    return found


@functools.cache
def package_of(command):
    path = shutil.which(command, path=PATH)
    if not path:
        return None
    for candidate in {path, os.path.realpath(path), path.replace("/usr/", "/", 1)}:
        out = subprocess.run(["dpkg-query", "-S", candidate], capture_output=True, text=True)
        if out.returncode == 0:
            return out.stdout.split(":")[0].split(",")[0].strip()
    return None


def installed_packages():
    out = subprocess.run(["dpkg-query", "-W", "-f",
                          "${Package}\t${Essential}\t${Priority}\t${Depends}, ${Pre-Depends}\n"],
                         capture_output=True, text=True, check=True).stdout
    always, depends = set(), {}
    for line in out.splitlines():
        name, essential, priority, deps = line.split("\t")
        if essential == "yes" or priority == "required":
            always.add(name)
        depends[name] = [[alt.split()[0].split(":")[0] for alt in dep.split("|")]
                         for dep in deps.split(",") if dep.strip()]
    return always, depends


def closure(packages, depends):
    result, todo = set(), list(packages)
    while todo:
        p = todo.pop()
        if p in result:
            continue
        result.add(p)
        for alternatives in depends.get(p, []):
            todo.extend(a for a in alternatives if a in depends)
    return result


def listed(kind):
    out = subprocess.run([os.path.join(root, "scripts/install-deps.sh"), "--list", kind],
                         capture_output=True, text=True, check=True).stdout
    return out.split()


always, depends = installed_packages()
scopes = {"build": ["scripts/build.sh"], "run": ["scripts/run.sh"],
          "package": ["scripts/package.sh"],
          "test": ["scripts/test.sh", ".ci/run"] + sorted(
              os.path.relpath(p, root) for pattern in ("tests/**/*.sh", "bench/*.sh")
              for p in glob.glob(os.path.join(root, pattern), recursive=True))}
failures = []
for kind, entries in scopes.items():
    allowed = closure(listed(kind), depends) | closure(always, depends)
    for entry in entries:
        for command, script in sorted(commands_of(os.path.join(root, entry)).items()):
            package = package_of(command)
            if package not in allowed:
                where = os.path.relpath(script, root)
                failures.append(f"{entry}: {command} (run in {where}) comes from "
                                f"{package or 'no installed package'}, not from the {kind} list")
print("\n".join(failures) or "every command comes from a listed package")
sys.exit(1 if failures else 0)
