"""The README's table of formats is the library's: `qz formats --markdown`
prints it from the table every host takes its formats from."""
import pathlib
import subprocess
import sys

qz, root = sys.argv[1], pathlib.Path(sys.argv[2])
table = subprocess.run([qz, "formats", "--markdown"], capture_output=True, text=True, check=True).stdout
if table not in (root / "README.md").read_text():
    print("README's table of formats differs from `qz formats --markdown`:\n" + table)
    sys.exit(1)
print("formats in step:", table.count("\n") - 2)
