"""Every C++ snippet of the README is a region of a compiled example:
the lines between "// [readme:NAME]" and "// [/readme]" in examples/cpp,
without their common indentation, stand in the README as they are."""
import pathlib
import re
import sys
import textwrap

root = pathlib.Path(sys.argv[1])
readme = (root / "README.md").read_text()
regions = {}
for source in sorted((root / "examples" / "cpp").glob("*.cpp")):
    for name, body in re.findall(r"^[ \t]*// \[readme:(\w+)\]\n(.*?)^[ \t]*// \[/readme\]", source.read_text(), re.S | re.M):
        regions[name] = textwrap.dedent(body).rstrip("\n")
missing = [name for name, body in regions.items() if body not in readme]
blocks = re.findall(r"```cpp\n(.*?)```", readme, re.S)
stray = [b.splitlines()[0] for b in blocks if not any(body in b or b.strip() in body for body in regions.values())]
if missing or stray or not regions:
    print("README snippets out of step with examples/cpp: missing", missing, "; not from an example:", stray)
    sys.exit(1)
print(len(regions), "snippets in step")
