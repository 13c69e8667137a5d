#!/usr/bin/env python3
"""The format checker on small git repositories made for each case, with the
project's .clang-format: only the lines a change touches count, uncommitted
edits count, and it skips (77) where there is nothing to compare with."""

import os
import pathlib
import subprocess
import sys
import tempfile
import unittest

HERE = pathlib.Path(__file__).resolve().parent
ROOT = HERE.parents[1]
CHECKER = HERE / "check_format.py"

GOOD = "int answer() {\n    return 42;\n}\n"
BAD = "int  answer( ){return 42;}\n"
JSON_AS_WRITTEN = '{"a":1}\n'  # clang-format would space it out if asked

# name, commits (each a dict of file -> text, oldest first), uncommitted edits,
# ZEPHYRAIL_FORMAT_BASE (None: unset), exit code, texts the output must contain.
CASES = [
    ("a formatted change passes", [{"a.cpp": GOOD}, {"b.cpp": GOOD}], {}, None, 0, ["are formatted"]),
    ("a badly formatted commit fails", [{"a.cpp": GOOD}, {"b.h": BAD}], {}, None, 1,
     ["format: clang-format would change lines touched since HEAD~1 in:\n  b.h\n", "diff --git a/b.h b/b.h",
      "+int answer() {"]),
    ("an uncommitted badly formatted edit fails", [{"a.cpp": GOOD}, {"b.cpp": GOOD}], {"a.cpp": GOOD + BAD.replace(
        "answer", "other")}, None, 1, ["  a.cpp\n", "+int other() {"]),
    ("bad lines older than the base are left alone", [{"a.cpp": BAD}, {"b.cpp": GOOD}], {}, None, 0,
     ["are formatted"]),
    ("ZEPHYRAIL_FORMAT_BASE reaches further back", [{"x.cpp": GOOD}, {"a.cpp": BAD}, {"b.cpp": GOOD}], {}, "HEAD~2",
     1, ["since HEAD~2 in:\n  a.cpp\n"]),
    ("files other than C++ are left alone", [{"a.cpp": GOOD}, {"notes.json": JSON_AS_WRITTEN}], {}, None, 0,
     ["are formatted"]),
    ("a first commit has no base: skipped", [{"a.cpp": BAD}], {}, None, 77, ["no base commit HEAD~1", "skipped"]),
    ("outside a git checkout: skipped", None, {"a.cpp": BAD}, None, 77, ["is not a git checkout; skipped"]),
    ("a chosen base that is not a commit fails", [{"a.cpp": GOOD}, {"b.cpp": GOOD}], {}, "no-such-branch", 1,
     ["ZEPHYRAIL_FORMAT_BASE=no-such-branch is not a commit"]),
]


def git_env(temp):
    env = dict(os.environ)
    env.pop("ZEPHYRAIL_FORMAT_BASE", None)
    env.update({"GIT_CONFIG_GLOBAL": os.devnull, "GIT_CONFIG_NOSYSTEM": "1", "GIT_CEILING_DIRECTORIES": str(temp),
                "GIT_AUTHOR_NAME": "t", "GIT_AUTHOR_EMAIL": "t@example.com", "GIT_COMMITTER_NAME": "t",
                "GIT_COMMITTER_EMAIL": "t@example.com"})
    return env


def write(repo, files):
    for name, text in files.items():
        (repo / name).write_text(text)


def make_repo(repo, commits, env):
    def git(*args):
        subprocess.run(["git", *args], cwd=repo, env=env, check=True, capture_output=True)

    git("init", "-q")
    for number, files in enumerate(commits):
        if number == 0:
            files = {".clang-format": (ROOT / ".clang-format").read_text(), **files}
        write(repo, files)
        git("add", "--", *files)
        git("commit", "-q", "-m", f"commit {number}")


class CheckFormat(unittest.TestCase):
    def test_cases(self):
        for name, commits, edits, base, code, texts in CASES:
            with self.subTest(name), tempfile.TemporaryDirectory(prefix="format-") as temp:
                repo = pathlib.Path(temp) / "repo"
                repo.mkdir()
                env = git_env(temp)
                if commits is None:
                    (repo / ".clang-format").write_text((ROOT / ".clang-format").read_text())
                else:
                    make_repo(repo, commits, env)
                write(repo, edits)
                if base is not None:
                    env["ZEPHYRAIL_FORMAT_BASE"] = base
                result = subprocess.run([sys.executable, str(CHECKER), str(repo)], env=env, capture_output=True,
                                        text=True)
                self.assertEqual(result.returncode, code, result.stdout + result.stderr)
                for text in texts:
                    self.assertIn(text, result.stdout)


if __name__ == "__main__":
    unittest.main()
