"""A first session with qzcore: read a field file, a Fisher mean and a best
fit, a contoured stereonet.

Run from the repository after the test command's build:
    PYTHONPATH=build/python /usr/bin/python3 examples/python/tutorial.py
"""
import qzcore

# Bedding of a made-up anticline: "Dip Direction,Dip,Comment" with a
# comment line on top; qzcore reads the header as qz does.
beds = qzcore.read("examples/data/fold.csv")
print(len(beds), "beds; rejected:", beds.rejected)
print("first dip directions:", beds.dip_direction[:5])

# The mean pole, and the fold axis as the pole of the best-fit girdle.
mean = qzcore.fisher(beds)
print("mean pole %.0f/%.0f, K %.1f" % (mean.mean.trend, mean.mean.plunge, mean.k))
fit = qzcore.bestfit(beds)
print("fold axis %.0f/%.0f" % tuple(fit.axis))

# Where the poles crowd: the densest direction and a contoured stereonet.
density = qzcore.density(beds)
print("densest pole %.0f/%.0f, %.1f sigma" % (density.peak.trend, density.peak.plunge, density.peak_value))
net = qzcore.stereonet(beds, planes="poles", contour="kamb", filled=True, title="Poles to bedding")
net.save("fold_contours.png")  # in Jupyter, `net` alone shows the picture
print("wrote fold_contours.png")
