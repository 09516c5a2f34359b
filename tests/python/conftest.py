# Every settings and data folder of the module and of the qdx runs it is compared with points
# at a temporary folder, set before the module first asks for one.
import json
import os
import subprocess
import tempfile

import pytest

_HOME = tempfile.mkdtemp(prefix="qdx-python-test-")
for _name, _sub in (("XDG_CONFIG_HOME", "config"), ("XDG_DATA_HOME", "data"),
                    ("QDX_COMMON_DIR", "common")):
    os.environ[_name] = os.path.join(_HOME, _sub)

QDX_EXE = os.environ.get("QDX_EXE", "qdx")


def run_qdx(*args):
    """Runs `qdx ARGS --json` and returns its exit code and the object it printed."""
    done = subprocess.run([QDX_EXE, *args, "--json"], capture_output=True, text=True,
                          check=False)
    return done.returncode, json.loads(done.stdout)


@pytest.fixture
def qdx_rate():
    return lambda *args: run_qdx("rate", *args)[1]


@pytest.fixture
def qdx_run():
    return run_qdx
