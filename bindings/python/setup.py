"""What pyproject.toml cannot say: the wheel carries a compiled library, so it is tagged for the
platform (but for any Python 3, since the module loads the library through ctypes); the library comes
from $PLOTARA_LIBRARY or is built with CMake from the source tree; the version is the project's."""
import os
import pathlib
import re
import shutil
import subprocess

from setuptools import Distribution, setup
from setuptools.command.build_py import build_py
from wheel.bdist_wheel import bdist_wheel

HERE = pathlib.Path(__file__).resolve().parent
SOURCE = HERE.parent.parent  # the Plotara source tree, when building from it


def project_version():
    """CMakeLists.txt's VERSION in Python's normal form: 1.02 is 1.2. A staged copy is given it."""
    given = os.environ.get("PLOTARA_VERSION")
    if given:
        return given
    text = (SOURCE / "CMakeLists.txt").read_text(encoding="utf-8")
    version = re.search(r"project\(Plotara VERSION ([0-9.]+)", text).group(1)
    return ".".join(str(int(part)) for part in version.split("."))


def library():
    """libplotara.so.1: $PLOTARA_LIBRARY, or built from the source tree (Release, no tests)."""
    given = os.environ.get("PLOTARA_LIBRARY")
    if given:
        return pathlib.Path(given)
    build = SOURCE / "build-python"
    if not (build / "CMakeCache.txt").exists():
        subprocess.check_call(["cmake", "-S", str(SOURCE), "-B", str(build), "-DCMAKE_BUILD_TYPE=Release",
                               "-DPLOTARA_BUILD_TESTS=OFF", "-DPLOTARA_BUILD_BENCH=OFF"])
    subprocess.check_call(["cmake", "--build", str(build), "--target", "plotara_shared", "-j", str(os.cpu_count() or 2)])
    return build / "libplotara.so.1"


class BuildWithLibrary(build_py):
    def run(self):
        super().run()
        target = pathlib.Path(self.build_lib) / "plotara" / "libplotara.so.1"
        shutil.copyfile(library(), target)
        if shutil.which("strip"):
            subprocess.check_call(["strip", "--strip-unneeded", str(target)])


class WithLibrary(Distribution):
    def has_ext_modules(self):
        return True  # a compiled library: installed as a platform's files, not in a .data folder


class PlatformWheel(bdist_wheel):
    def finalize_options(self):
        super().finalize_options()
        self.root_is_pure = False

    def get_tag(self):
        return "py3", "none", super().get_tag()[2]


setup(version=project_version(), distclass=WithLibrary,
      cmdclass={"build_py": BuildWithLibrary, "bdist_wheel": PlatformWheel})
