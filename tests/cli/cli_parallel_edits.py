#!/usr/bin/env python3
"""Thirty gradation-cli edits of the user's own file at once, the first creating it: each
that exited 0 is in the file, no other left a trace, each --add printed the key its entry got,
and .bak is the state just before one of the edits. Usage: cli_parallel_edits.py CLI WORK"""
import os, shutil, subprocess, sys

TAIL = ",OFF,OFF,OFF,OFF,OFF,OFF, 1, 0, 4,OFF, 0,H,OFF, 0, 255, 99, 71, 72, 61, 139,0"
REMOVED_AT = 5  # removes take the entry after the replaced ones 0..4, which never move
EDITS = [("add", "A%d" % i) for i in range(20)] + [("replace", i) for i in range(5)] + [("remove", REMOVED_AT)] * 5
ARGS = {"add": lambda a: ["--add", a + TAIL], "replace": lambda a: ["--replace", str(a), "P%d%s" % (a, TAIL)],
        "remove": lambda a: ["--remove", str(a)]}


def names(cli, env, *ini):
    run = subprocess.run([cli, "--list", *ini], env=env, capture_output=True, text=True, check=True)
    return [line.split("\t", 1)[1] for line in run.stdout.splitlines()]


def apply(edit, listed):
    kind, arg = edit
    if kind == "add":
        return listed + [arg]
    if kind == "replace":
        return listed[:arg] + ["P%d" % arg] + listed[arg + 1:]
    return listed[:REMOVED_AT] + listed[REMOVED_AT + 1:]


def main():
    cli, work = sys.argv[1], sys.argv[2]
    shutil.rmtree(work, ignore_errors=True)
    env = dict(os.environ, XDG_CONFIG_HOME=os.path.join(work, "config"), XDG_CONFIG_DIRS=os.path.join(work, "dirs"))
    os.makedirs(env["XDG_CONFIG_HOME"]), os.makedirs(env["XDG_CONFIG_DIRS"])
    expected = names(cli, env)  # the file beside the program
    runs = [subprocess.Popen([cli, *ARGS[k](a)], env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
            for k, a in EDITS]
    results = [(edit, run.wait(), *run.communicate()) for edit, run in zip(EDITS, runs)]
    done = [edit for edit, code, _, _ in results if code == 0]
    failures = ["%s exited %d: %s" % (e, code, err.strip()) for e, code, _, err in results if code not in (0, 1)]

    own = os.path.join(env["XDG_CONFIG_HOME"], "gradation", "QX.ini")
    final = names(cli, env, "--ini", own)
    adds = [e for e in done if e[0] == "add"]
    for edit in [e for e in done if e[0] != "add"] + adds:
        expected = apply(edit, expected)
    # The adds arrive in the order in which they had the lock.
    kept = len(expected) - len(adds)
    if final[:kept] != expected[:kept] or sorted(final[kept:]) != sorted(expected[kept:]):
        failures.append("the file lists %s, not %s" % (final, expected))
    # Each add printed the key its entry had then; removes done after it move it up.
    removes = len(done) - len(adds) - len([e for e in done if e[0] == "replace"])
    for (kind, name), code, out, _ in results:
        if kind == "add" and code == 0 and name in final and not 0 <= int(out.split("\t")[0]) - final.index(name) <= removes:
            failures.append("--add %s printed %r; the file has it at %02d" % (name, out, final.index(name)))
    backup = names(cli, env, "--ini", own + ".bak")
    if not any(apply(edit, backup) == final for edit in done):
        failures.append(".bak lists %s: no edit leads from it to the file" % backup)
    print("%d of %d edits exited 0" % (len(done), len(EDITS)), *["\nFAIL: " + f for f in failures])
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
