#!/usr/bin/env python3
"""Checks of the Debian package, made from this build and unpacked without installing it.

    check_package.py --work DIR [--cpack CPACK --cpack-config FILE --version V --expected-markup FILE] CHECK

`build` runs cpack into DIR/deb and unpacks the package into DIR/root with dpkg-deb -x; every
other check reads those. The programs run from DIR/root/usr/bin with XDG_CONFIG_HOME and HOME
in an empty temporary folder, so neither the machine's nor the user's settings take part.
"""

import argparse
import glob
import gzip
import os
import re
import shutil
import stat
import struct
import subprocess
import sys
import tempfile

WINDOW_PROGRAMS = ("gradation", "gradation-settings")
ICON_SIZES = (32, 48, 64, 128, 256)
SEA = "Sea,OFF,OFF,OFF,OFF,OFF,OFF, 0, 0, 1,OFF, 0,H,OFF, 0, 0, 64, 128, 0, 255, 255,0"


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def run(argv, env=None, timeout=300):
    return subprocess.run(argv, capture_output=True, timeout=timeout, env=env)


def package_path(work):
    found = glob.glob(os.path.join(work, "deb", "*.deb"))
    check(len(found) == 1, f"expected one package in {work}/deb, found {found}: run the package_build test first")
    return found[0]


def programs(root):
    """The programs the package links into /usr/bin."""
    return sorted(os.listdir(os.path.join(root, "usr/bin")))


def clean_env(home):
    env = {k: v for k, v in os.environ.items() if k not in ("XDG_CONFIG_HOME", "DISPLAY", "WAYLAND_DISPLAY")}
    env.update(HOME=home, XDG_CONFIG_HOME=os.path.join(home, "config"), QT_QPA_PLATFORM="offscreen",
               LC_ALL="C.UTF-8", XDG_CONFIG_DIRS=home)
    return env


def check_build(args):
    deb_dir, root = os.path.join(args.work, "deb"), os.path.join(args.work, "root")
    for d in (deb_dir, root):
        shutil.rmtree(d, ignore_errors=True)
    done = run([args.cpack, "-G", "DEB", "--config", args.cpack_config, "-B", deb_dir])
    sys.stdout.write(done.stdout.decode(errors="replace"))
    check(done.returncode == 0, f"cpack failed ({done.returncode}):\n{done.stderr.decode(errors='replace')}")
    arch = run(["dpkg", "--print-architecture"]).stdout.decode().strip()
    deb = package_path(args.work)
    check(os.path.basename(deb) == f"gradation_{args.version}_{arch}.deb",
          f"the package is named {os.path.basename(deb)}, not gradation_{args.version}_{arch}.deb")
    done = run(["dpkg-deb", "-x", deb, root])
    check(done.returncode == 0, f"dpkg-deb -x failed: {done.stderr.decode(errors='replace')}")
    print(run(["dpkg-deb", "-I", deb]).stdout.decode())


def check_lintian(args):
    done = run(["lintian", "--display-info", "--display-experimental", "--pedantic", "--fail-on", "error,warning",
                package_path(args.work)])
    output = done.stdout.decode(errors="replace")
    print(output or "lintian: no tags")
    bad = [line for line in output.splitlines() if re.match(r"[EWIXP]: ", line)]
    check(done.returncode == 0 and not bad,
          f"lintian (exit {done.returncode}) reports tags:\n" + "\n".join(bad)
          + done.stderr.decode(errors="replace"))


def check_desktop_entries(args):
    root = os.path.join(args.work, "root")
    expected = sorted(p + ".desktop" for p in WINDOW_PROGRAMS if p in programs(root))
    entries = sorted(os.listdir(os.path.join(root, "usr/share/applications")))
    check(entries == expected, f"the desktop entries are {entries}, not one per window program {expected}")
    for entry in entries:
        path = os.path.join(root, "usr/share/applications", entry)
        done = run(["desktop-file-validate", path])
        complaints = (done.stdout + done.stderr).decode(errors="replace")
        print(f"desktop-file-validate {entry}: exit {done.returncode} {complaints or '(no output)'}")
        check(done.returncode == 0 and not complaints, f"desktop-file-validate {entry}:\n{complaints}")
        with open(path, encoding="utf-8") as f:
            lines = f.read().splitlines()
        program = entry[:-len(".desktop")]
        for key in ("Exec", "TryExec"):  # found on the PATH, as in Debian's own entries
            check(f"{key}={program}" in lines, f"{entry} does not start {program} in {key}")
        check("Icon=gradation" in lines, f"{entry} does not name the icon gradation")
        keywords = next(line for line in lines if line.startswith("Keywords=")).split("=")[1].split(";")
        wanted = ["gradient", "colour", "HTML", "chat", "グラデーション", "文字色", args.title, "Name=gradation",
                  "GenericName=", "GenericName[ja]="] if program == "gradation" else []
        check(all(w in keywords or any(line.startswith(w) for line in lines) for w in wanted), f"{entry}: {lines}")


def check_metainfo(args):
    root = os.path.join(args.work, "root")
    files = glob.glob(os.path.join(root, "usr/share/metainfo/*.metainfo.xml"))
    check(len(files) == 1, f"expected one metainfo file, found {files}")
    done = run(["appstreamcli", "validate", "--no-net", "--pedantic", files[0]])
    report = (done.stdout + done.stderr).decode(errors="replace")
    print(f"appstreamcli validate --no-net {os.path.basename(files[0])}: exit {done.returncode}\n{report}")
    check(done.returncode == 0, f"appstreamcli validate failed:\n{report}")
    # The whole tree: the launchable's desktop entry and the icon are found where the metainfo says.
    done = run(["appstreamcli", "validate-tree", "--no-net", "--pedantic", root])
    report = (done.stdout + done.stderr).decode(errors="replace")
    print(f"appstreamcli validate-tree --no-net: exit {done.returncode}\n{report}")
    check(done.returncode == 0, f"appstreamcli validate-tree failed:\n{report}")
    with open(files[0], encoding="utf-8") as f:
        text = f.read()
    app_id = re.search(r"<id>(.*?)</id>", text).group(1)
    check(os.path.basename(files[0]) == app_id + ".metainfo.xml", f"{files[0]} is not named after its id {app_id}")
    provided = sorted(re.findall(r"<binary>(.*?)</binary>", text))
    check(provided == programs(root), f"the metainfo provides {provided}, the package links {programs(root)}")
    for launchable in re.findall(r'<launchable type="desktop-id">(.*?)</launchable>', text):
        check(os.path.exists(os.path.join(root, "usr/share/applications", launchable)),
              f"the metainfo launches {launchable}, which the package does not hold")
    for lang in ("name", "summary"):
        check(re.search(rf'<{lang} xml:lang="ja">', text), f"the metainfo has no Japanese {lang}")


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    check(head[:8] == b"\x89PNG\r\n\x1a\n" and head[12:16] == b"IHDR", f"{path} is not a PNG")
    return struct.unpack(">II", head[16:24])


def is_stripped(path):
    sections = run(["readelf", "-S", "-W", path]).stdout.decode()
    return ".symtab" not in sections and ".debug_info" not in sections


def check_unpacked(args):
    root = os.path.join(args.work, "root")
    names = programs(root)
    check({"gradation", "gradation-cli"} <= set(names), f"/usr/bin holds {names}")
    check(not os.path.exists(os.path.join(root, "usr/lib")), "the package holds /usr/lib")
    shipped = os.path.join(root, "usr/share/gradation/QX.ini")
    for name in names:
        real = os.path.join(root, "usr/bin", name)
        check(not os.path.islink(real) and os.stat(real).st_mode & 0o777 == 0o755, f"/usr/bin/{name} is not mode 755")
        check(is_stripped(real), f"/usr/bin/{name} is not stripped")
        check(os.path.exists(os.path.join(root, f"usr/share/man/man1/{name}.1.gz")), f"no man page for {name}")
    check(stat.S_IMODE(os.stat(shipped).st_mode) == 0o644, "/usr/share/gradation/QX.ini is not mode 644")
    for size in ICON_SIZES:
        icon = os.path.join(root, f"usr/share/icons/hicolor/{size}x{size}/apps/gradation.png")
        check(os.path.exists(icon) and png_size(icon) == (size, size), f"no {size} x {size} PNG icon at {icon}")
    doc = os.path.join(root, "usr/share/doc/gradation")
    with open(os.path.join(doc, "copyright"), encoding="utf-8") as f:
        check(f.readline().startswith("Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/"),
              "the copyright file is not in the machine-readable format")
    with gzip.open(os.path.join(doc, "changelog.gz"), "rt", encoding="utf-8") as f:
        head = f.readline()
    check(head.startswith(f"gradation ({args.version}) "), f"the changelog begins with {head!r}")

    # The programs, run from elsewhere, find the shipped QX.ini from their own folder.
    with open(args.expected_markup, "rb") as f:
        markup_abc = f.read()
    with tempfile.TemporaryDirectory(prefix="gradation-package-") as home:
        env = clean_env(home)
        cli = os.path.join(root, "usr/bin/gradation-cli")
        cases = [  # argv, exit status, what standard output must be or hold
            ([cli, "--setting", "0", "--text", "abc"], 0, markup_abc),
            ([cli, "--list"], 0, "00\t起動時標準\n".encode()),
            ([cli, "--version"], 0, args.version.encode()),
            ([cli, "--setting", "99", "--text", "abc"], 1, b""),
        ]
        if "gradation-settings" in names:
            cases.append(([os.path.join(root, "usr/bin/gradation-settings"), "--version"], 0, args.version.encode()))
        for argv, code, wanted in cases:
            done = subprocess.run(argv, capture_output=True, timeout=60, env=env, cwd=home)
            shown = " ".join(os.path.relpath(a, root) if a.startswith(root) else a for a in argv)
            check(done.returncode == code, f"{shown} exited with {done.returncode}, not {code}: {done.stderr!r}")
            ok = done.stdout == wanted if argv[1:2] == ["--setting"] else wanted in done.stdout
            check(ok, f"{shown} wrote {done.stdout!r}; expected {'exactly' if argv[1:2] == ['--setting'] else 'to hold'} "
                      f"{wanted!r}")
        check(not os.path.exists(os.path.join(home, "config")), "running the programs created a user configuration")

        # Editing entries, where the converter offers it, writes the user's own file and never
        # the shipped one (the example of gradation-cli(1)).
        if b"--add" in subprocess.run([cli, "--help"], capture_output=True, env=env).stdout:
            with open(shipped, "rb") as f:
                shipped_bytes = f.read()
            done = subprocess.run([cli, "--add", SEA], capture_output=True, timeout=60, env=env, cwd=home)
            check(done.returncode == 0 and done.stdout == b"12\tSea\n",
                  f"gradation-cli --add exited with {done.returncode} and wrote {done.stdout!r} {done.stderr!r}")
            check(os.path.exists(os.path.join(home, "config/gradation/QX.ini")), "--add wrote no user file")
            with open(shipped, "rb") as f:
                check(f.read() == shipped_bytes, "--add changed the shipped QX.ini")
            done = subprocess.run([cli, "--list"], capture_output=True, timeout=60, env=env, cwd=home)
            check(b"12\tSea\n" in done.stdout, f"--list after --add does not list 12 Sea: {done.stdout!r}")


def check_lookup(args):
    """--which-ini names the first file that exists; each row adds one earlier in the order."""
    root = os.path.join(args.work, "root")
    shipped, installed = os.path.join(root, "usr/share/gradation/QX.ini"), os.path.join(root, "usr/bin/gradation-cli")
    with tempfile.TemporaryDirectory(prefix="gradation-package-") as home:
        env = dict(clean_env(home), XDG_CONFIG_DIRS=f"{home}/xdg-a:relative:{home}/xdg-b")
        os.makedirs(f"{home}/bin")
        portable = shutil.copy(installed, f"{home}/bin")  # a copy in a tree of its own
        for added, program in [(shipped, installed), (f"{home}/share/gradation/QX.ini", portable),
                               (f"{home}/bin/QX.ini", portable), (f"{home}/xdg-b/gradation/QX.ini", portable),
                               (f"{home}/config/gradation/QX.ini", portable)]:
            os.makedirs(os.path.dirname(added), exist_ok=True)
            if added != shipped:
                shutil.copy(shipped, added)
            done = run([program, "--which-ini"], env=env, timeout=60)
            print(f"{program} --which-ini: {done.stdout.decode().strip()}")
            check(done.stdout.decode() == added + "\n", f"--which-ini printed {done.stdout!r}, not {added}")


def help_options(text):
    return sorted(set(re.findall(r"(?<![\w-])(--[a-z][a-z-]*)", text)))


def check_man_pages(args):
    """Every option a program's --help names is in its man page, which has the usual sections."""
    root = os.path.join(args.work, "root")
    with tempfile.TemporaryDirectory(prefix="gradation-package-") as home:
        for name in programs(root):
            with gzip.open(os.path.join(root, f"usr/share/man/man1/{name}.1.gz"), "rt", encoding="utf-8") as f:
                page = f.read()
            for section in ("NAME", "SYNOPSIS", "DESCRIPTION", "OPTIONS", "FILES", "EXIT STATUS", "EXAMPLES"):
                check(re.search(rf"^\.SH \"?{section}\"?$", page, re.M), f"{name}(1) has no {section} section")
            check(re.search(r"\$XDG_CONFIG_HOME/gradation/QX\.ini", page) and "/usr/share/gradation/QX.ini" in page,
                  f"{name}(1) does not name both configuration files")
            if name == "gradation":  # the window program reads no command line
                continue
            # Documented: heading a paragraph (.TP), not merely named in another's text.
            documented = set(help_options("\n".join(re.findall(r"^\.TP.*\n(.*)$", page, re.M)).replace("\\-", "-")))
            done = run([os.path.join(root, "usr/bin", name), "--help"], env=clean_env(home), timeout=60)
            check(done.returncode == 0, f"{name} --help exited with {done.returncode}")
            offered = help_options(done.stdout.decode(errors="replace"))
            check("--help" in offered, f"{name} --help names no options: {done.stdout!r}")
            missing = [o for o in offered if o not in documented]
            print(f"{name}: --help names {' '.join(offered)}")
            check(not missing, f"{name}(1) does not document {' '.join(missing)}, which {name} --help names")

        # groff's own complaints, as lintian asks for them.
        for name in programs(root):
            env = dict(os.environ, LC_ALL="C.UTF-8", MANWIDTH="80")
            done = run(["man", "--warnings", "-E", "UTF-8", "-l", "-Tutf8", "-Z",
                        os.path.join(root, f"usr/share/man/man1/{name}.1.gz")], env=env)
            check(done.returncode == 0 and not done.stderr, f"man {name}.1: {done.stderr.decode(errors='replace')}")


CHECKS = {
    "build": check_build,
    "lintian": check_lintian,
    "desktop_entries": check_desktop_entries,
    "metainfo": check_metainfo,
    "unpacked": check_unpacked,
    "man_pages": check_man_pages,
    "lookup": check_lookup,
}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--work", required=True)
    parser.add_argument("--cpack", default="cpack")
    parser.add_argument("--cpack-config")
    parser.add_argument("--version")
    parser.add_argument("--expected-markup")
    parser.add_argument("--title")
    parser.add_argument("check", choices=sorted(CHECKS))
    args = parser.parse_args()
    args.work = os.path.abspath(args.work)
    try:
        CHECKS[args.check](args)
    except Failure as failure:
        print(f"FAILED: {failure}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
