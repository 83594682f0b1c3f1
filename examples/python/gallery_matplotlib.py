"""Two stereonets side by side in one matplotlib figure, drawn by qzcore on
the figure's Axes, with an annotation of matplotlib's own.

    PYTHONPATH=build/python /usr/bin/python3 examples/python/gallery_matplotlib.py examples/data out.png
"""
import os
import sys
import warnings

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402

import qzcore  # noqa: E402

data, out = sys.argv[1], sys.argv[2]
beds = qzcore.read(os.path.join(data, "fold.csv"))
faults = qzcore.read(os.path.join(data, "faults.txt"))

fig, (left, right) = plt.subplots(1, 2, figsize=(11, 5))
with warnings.catch_warnings():
    warnings.simplefilter("ignore")  # the levels chosen, said in a warning
    qzcore.stereonet(beds, planes="poles", contour="kamb", filled=True, bestfit=True, ax=left,
                     title="Fold: poles to bedding")
qzcore.stereonet(faults, pt=True, ax=right, title="Faults: P and T axes")
fit = qzcore.bestfit(beds)
left.text(0, -1.2, "fold axis %03.0f/%02.0f (best fit)" % tuple(fit.axis), ha="center", fontsize=9)
fig.savefig(out, dpi=90, bbox_inches="tight")
